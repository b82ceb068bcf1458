#pragma once
#include "platform/FrameTarget.h"
#include <string>

// Timings taken inside the bench's own process, in a 960 by 720 window of
// its own, with the data directory as working directory (as the game has).

// Starts SDL and the sound system, opens the window and enters `dataDir`.
bool OpenBenchWindow(const std::string& dataDir, std::string& error);
void CloseBenchWindow();

// Loading the level as the stage screen does (file, pictures, collision
// rectangles, the hero with its pictures and sounds) and releasing it all
// again, median of `repeats` rounds, in ms.
double LevelLoadMs(const std::string& level, int repeats);

// What the level gives the game to do each step.
struct LevelCounts {
    size_t rectangles = 0;  // collision rectangles
    size_t layers = 0;      // background layers
    size_t cells = 0;       // grid cells with a picture, in all three grids
};
LevelCounts CountLevel(const std::string& level);

// For a program that does nothing else: starts SDL, opens the window, shows
// one cleared picture and returns the clock (MonotonicMs) at that moment.
// The floor of any start to a first picture on this machine.
double ShowOneBareFrame();

// A clear and a buffer swap of the whole window and nothing else, median of
// `repeats` rounds, in ms: the floor of a frame drawn straight into it.
double ClearSwapMs(int repeats);

// An empty frame on the game's own path: the 320 by 240 picture cleared,
// scaled up into the window as a textured quad and swapped, median of
// `repeats` rounds, in ms, with the picture's channels in either order.
double ScaledUpSwapMs(int repeats, PictureLayout layout);
