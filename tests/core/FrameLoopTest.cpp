#include "core/FrameLoop.h"
#include "core/StepPacer.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

namespace {
// A scripted clock: the loop reads ticks[0] at start and then one value per
// pass; once the script is used up the next poll ends the loop.
struct FakePlatform {
    std::vector<uint32_t> ticks;
    size_t reads = 0;
    uint32_t now = 0;
    std::vector<uint32_t> stepTicks;
    std::vector<uint32_t> sleeps;

    FrameLoopHooks Hooks() {
        FrameLoopHooks hooks;
        hooks.ticks = [this] {
            now = ticks[std::min(reads, ticks.size() - 1)];
            ++reads;
            return now;
        };
        hooks.pollOneEvent = [this] { return reads <= ticks.size(); };
        hooks.queueWasEmpty = [] { return true; };
        hooks.sleep = [this](uint32_t ms) { sleeps.push_back(ms); };
        hooks.update = [this] { stepTicks.push_back(now); };
        hooks.draw = [] {};
        return hooks;
    }
};
}

TEST(StepPacer, SixteenMillisecondsFromTheStartOfTheStepPassEvenAcrossTheWrap) {
    StepPacer pacer(1000);
    EXPECT_FALSE(pacer.Due(1015));
    EXPECT_TRUE(pacer.Due(1016));
    EXPECT_EQ(pacer.MsUntilDue(1010), 6u);
    // A long stall gives one step, and the next waits a full 16 ms.
    pacer.StepRan(5000);
    EXPECT_FALSE(pacer.Due(5015));
    EXPECT_TRUE(pacer.Due(5016));

    // The tick counter wrapping round does not stop the steps.
    StepPacer wrapping(0xFFFFFFF8u);
    EXPECT_FALSE(wrapping.Due(0x00000007u));
    EXPECT_TRUE(wrapping.Due(0x00000008u));
    EXPECT_EQ(wrapping.MsUntilDue(0x00000000u), 8u);
}

TEST(FrameLoop, LongStallGivesOneStepAndNoCatchingUp) {
    FakePlatform fake;
    fake.ticks = {0, 5, 16, 20, 100, 110, 116, 132};
    FrameLoopHooks hooks = fake.Hooks();
    long steps = RunFrameLoop(hooks, {});
    std::vector<uint32_t> expected = {16, 100, 116, 132};
    EXPECT_EQ(fake.stepTicks, expected);
    EXPECT_EQ(steps, 4);
    // Passes with nothing due sleep until the next step instead of spinning.
    ASSERT_FALSE(fake.sleeps.empty());
    EXPECT_EQ(fake.sleeps.front(), 11u);
}

// At half speed the steps come 32 ms apart, at 90 % 18 ms; a stall still
// gives one step, not a catching up.
TEST(FrameLoop, ASlowerGameSpeedSpacesTheStepsWithoutCatchingUp) {
    EXPECT_EQ(StepPacer::IntervalAt(90), 18u);
    FakePlatform fake;
    fake.ticks = {0, 16, 31, 32, 50, 64, 200, 220, 232};
    FrameLoopHooks hooks = fake.Hooks();
    hooks.stepMs = [] { return StepPacer::IntervalAt(50); };
    RunFrameLoop(hooks, {});
    EXPECT_EQ(fake.stepTicks, (std::vector<uint32_t>{32, 64, 200, 232}));
}

// Where sleeps wake late, a step late by less than an interval keeps the
// beat (the next is due 16 ms after this one was due), and a stall still
// gives one step and a full 16 ms wait.
TEST(FrameLoop, StepsKeepTheBeatAcrossLateWakeUpsButNotAcrossStalls) {
    FakePlatform fake;
    fake.ticks = {0, 19, 31, 34, 50, 64, 200, 210, 216};
    RunFrameLoop(fake.Hooks(), {false, 0, true});
    EXPECT_EQ(fake.stepTicks, (std::vector<uint32_t>{19, 34, 50, 64, 200, 216}));
}
