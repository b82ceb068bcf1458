#pragma once
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

// How many collision rectangles and background layers the level has.
void CountLevel(const std::string& level, size_t& rectangles, size_t& layers);

// A clear and a buffer swap of the whole window and nothing else, median of
// `repeats` rounds, in ms: the floor of a frame drawn straight into it.
double ClearSwapMs(int repeats);
