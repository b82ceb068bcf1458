#include "core/GameState.h"
#include "core/StateStack.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
std::vector<std::string> gLog;

class LoggingState : public GameState {
public:
    LoggingState(const char* name, StateStack& stack) : name_(name), stack_(stack) {}
    void Enter() override {
        gLog.push_back(name_ + ".Enter current=" + (stack_.CurrentState() ? "set" : "null"));
    }
    void Leave() override { gLog.push_back(name_ + ".Leave"); }
    void Update(float) override { gLog.push_back(name_ + ".Update"); }
    void Draw() override { gLog.push_back(name_ + ".Draw"); }

private:
    std::string name_;
    StateStack& stack_;
};
}

TEST(StateStack, ChangeRestartsPushKeepsTheStateBelowAndCurrentFollows) {
    gLog.clear();
    StateStack stack;
    LoggingState title("title", stack), menu("menu", stack);
    EXPECT_EQ(stack.CurrentState(), nullptr);

    stack.ChangeState(&title);  // empty stack: no Leave, just the push
    EXPECT_EQ(stack.CurrentState(), &title);
    stack.ChangeState(&menu);
    EXPECT_EQ(stack.CurrentState(), &menu);
    stack.ChangeState(&menu);  // the same state restarts
    EXPECT_EQ(stack.CurrentState(), &menu);

    std::vector<std::string> expected = {
        "title.Enter current=null", "title.Leave", "menu.Enter current=null",
        "menu.Leave", "menu.Enter current=null"};
    EXPECT_EQ(gLog, expected);

    // A push keeps the state below as the current one during Enter.
    StateStack pushed;
    LoggingState first("first", pushed), second("second", pushed);
    pushed.PushState(&first);
    pushed.PushState(&second);
    EXPECT_EQ(gLog.back(), "second.Enter current=set");
    EXPECT_EQ(pushed.CurrentState(), &second);
}
