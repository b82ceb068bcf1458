#pragma once
#include <cstdint>
#include <functional>

// What the frame loop needs from the platform and the game, so that its
// rhythm can be tested against a fake clock.
struct FrameLoopHooks {
    std::function<uint32_t()> ticks;
    // Takes at most one event; returns false when the program should end.
    std::function<bool()> pollOneEvent;
    // True when the queue was empty in the last poll.
    std::function<bool()> queueWasEmpty;
    std::function<void(uint32_t ms)> sleep;
    std::function<void()> update;
    std::function<void()> draw;
    // The interval of the next step in ms (the game speed); null for 16 ms.
    std::function<uint32_t()> stepMs;
};

struct FrameLoopSettings {
    bool fast = false;      // steps back to back, without the clock
    long maxSteps = 0;      // 0: no limit
    bool keepBeat = false;  // steps keep the beat across late wake-ups (StepPacer::StepRanOnBeat)
};

// Runs passes until an event ends the program or maxSteps steps have run.
// Returns the number of steps run.
long RunFrameLoop(const FrameLoopHooks& hooks, const FrameLoopSettings& settings);

// Ends the frame loop after the current step: QUIT GAME, a replay that
// cannot go on.
void RequestQuit();
bool QuitRequested();
