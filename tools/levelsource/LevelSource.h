#pragma once
#include "world/LevelFile.h"
#include <string>

// The text form of a level file that stage makers write and read (described
// in docs/level-format.md). Compile(Dump(level)) gives the same level, and
// so the same bytes, for every file the game accepts.
namespace LevelSource {

// The largest source file read: the dump of a level with every table full
// and every number at its widest takes 16 MB; twice that leaves room for
// comments.
constexpr size_t kMaxSourceBytes = 32u << 20;

// The word of a play line: a play marker with every field in order, such as
// "play jump=72 hearts=5 lives=3 whip=1".
extern const char* const kPlayLine;
// The word of a thing line: a thing's marker with every field of its kind in
// order, such as "thing walker x=300 y=264 range=72 hp=1 drop=0".
extern const char* const kThingLine;

// False with "line N: what is wrong" in `error`.
bool Compile(const std::string& source, LevelFile::LevelData& level, std::string& error);
std::string Dump(const LevelFile::LevelData& level);

}  // namespace LevelSource
