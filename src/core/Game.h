#pragma once
#include "core/Options.h"

// The game set-up and one step's update and draw.
void InitGame(const Options& options);
void UpdateFrame();
void DrawFrame();
// Steps counted from 1 (the first UpdateFrame).
long CurrentStep();
// Ends the frame loop after the current step (used for fatal replay errors).
void RequestQuit();
bool QuitRequested();
