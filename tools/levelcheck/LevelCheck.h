#pragma once
#include "world/LevelFile.h"
#include <string>
#include <vector>

// What a stage maker is told before playing a level: each warning is one
// line naming the grid cell ("main (12, 4)") or the field ("bounds right")
// it is about, and saying what will go wrong in the game.
namespace LevelCheck {

std::vector<std::string> Warnings(const LevelFile::LevelData& level);
// The picture files the level names that the data directory lacks.
std::vector<std::string> MissingPictures(const LevelFile::LevelData& level, const std::string& dataDir);

}  // namespace LevelCheck
