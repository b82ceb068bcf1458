#pragma once
#include "app/Options.h"

// The game set-up and one step's update and draw.
void InitGame(const Options& options);
void UpdateFrame();
void DrawFrame();
// Steps counted from 1 (the first UpdateFrame).
long CurrentStep();

// How long the last pass (update, draw and swap) took, and when it ended on
// the monotonic clock.
struct PassTimes {
    long long lengthUs = 0;
    double endMs = 0.0;
};
PassTimes LastPassTimes();
