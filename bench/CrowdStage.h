#pragma once
#include <string>

// 200 things of every kind but the guardian, spread evenly along a stage,
// all active at once: the crowd behind the things' figures of make bench.
constexpr int kCrowdThings = 200;

// The marker text of the i-th thing of a crowd on a stage `width` pixels
// wide whose floor is at `floorY`: the kinds in turn, fliers, platforms and
// pickups above the floor.
std::string CrowdThingText(int i, int width, int floorY);

extern const char* const kCrowdStage;
// Writes levels/<kCrowdStage> into `dataDir`: the stage `stage` of that
// folder with the crowd along the height of its start point, and hearts and
// lives enough that the walking movie does not end in GAME OVER. False with
// the reason on failure.
bool WriteCrowdStage(const std::string& dataDir, const std::string& stage, std::string& error);
