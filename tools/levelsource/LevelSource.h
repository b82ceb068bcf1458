#pragma once
#include "world/LevelFile.h"
#include <string>

// The text form of a level file that stage makers write and read (described
// in docs/level-format.md). Compile(Dump(level)) gives the same level, and
// so the same bytes, for every file the game accepts.
namespace LevelSource {

// False with "line N: what is wrong" in `error`.
bool Compile(const std::string& source, LevelFile::LevelData& level, std::string& error);
std::string Dump(const LevelFile::LevelData& level);

}  // namespace LevelSource
