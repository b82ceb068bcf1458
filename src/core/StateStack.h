#pragma once
#include <deque>

class GameState;

// The stack of screens; its top is the current screen. It never owns a screen.
class StateStack {
public:
    // Enter runs before the state is on the stack.
    void PushState(GameState* state);
    // Leave and remove the top (if any), then push the new state.
    void ChangeState(GameState* state);
    // Leave and remove the top; the state below goes on as it was, without
    // an Enter. That counts as entering it (EnterCount), so that the button
    // that left the top does nothing there.
    void PopState();
    // The top state, or null when the stack is empty.
    GameState* CurrentState() const;
    // How many times a state has been entered, so that a caller can tell
    // that the screen changed even when the same state was entered again.
    long EnterCount() const { return enterCount_; }

private:
    std::deque<GameState*> states_;
    long enterCount_ = 0;
};

StateStack& TheStateStack();
