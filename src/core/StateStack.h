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
    // The top state, or null when the stack is empty.
    GameState* CurrentState() const;

private:
    std::deque<GameState*> states_;
};

StateStack& TheStateStack();
