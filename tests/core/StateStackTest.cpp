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

TEST(StateStack, PushChangeAndCurrentInTheirOrder) {
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
}

TEST(StateStack, PushKeepsTheStateBelowCurrentDuringEnter) {
    gLog.clear();
    StateStack stack;
    LoggingState first("first", stack), second("second", stack);
    stack.PushState(&first);
    stack.PushState(&second);
    EXPECT_EQ(gLog.back(), "second.Enter current=set");
    EXPECT_EQ(stack.CurrentState(), &second);
}
