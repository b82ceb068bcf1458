#pragma once
#include "app/Options.h"
#include <cstdint>

// The game set-up and one step's update and draw.
void InitGame(const Options& options);
void UpdateFrame();
void DrawFrame();
// The interval of the next step: slower by the game speed's assist while a
// play stage is played (not paused, not under the options), 16 ms elsewhere.
uint32_t StepMs();
// Steps counted from 1 (the first UpdateFrame).
long CurrentStep();

// How long the last pass (update, draw and swap) took, and when it ended on
// the monotonic clock.
struct PassTimes {
    long long lengthUs = 0;
    double endMs = 0.0;
};
PassTimes LastPassTimes();
