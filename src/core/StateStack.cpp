#include "core/StateStack.h"
#include "core/GameState.h"

void StateStack::PushState(GameState* state) {
    state->Enter();
    states_.push_back(state);
    ++enterCount_;
}

void StateStack::ChangeState(GameState* state) {
    if (!states_.empty()) {
        states_.back()->Leave();
        states_.pop_back();
    }
    PushState(state);
}

void StateStack::PopState() {
    if (states_.empty()) return;
    states_.back()->Leave();
    states_.pop_back();
    ++enterCount_;
}

GameState* StateStack::CurrentState() const { return states_.empty() ? nullptr : states_.back(); }

StateStack& TheStateStack() {
    static StateStack stack;
    return stack;
}
