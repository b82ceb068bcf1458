#pragma once
#include "tiledmap/TiledMap.h"
#include "world/LevelFile.h"
#include <string>

// A level as a map of the Tiled editor and back (the mapping is described in
// docs/stage-making.md). Import(Export(level)) gives the same level, and so
// the same bytes, for every file the game accepts.
namespace LevelMap {

// The tile layers from the bottom up, as the game draws the grids.
extern const char* const kGridNames[3];
// A play stage's fields are the map's int properties "play jump", "play
// hearts"...; a bare play line in "more" holds the play marker's place
// among the other markers.
extern const char* const kPlayPropertyPrefix;
// Each thing is a point object whose type is its kind, with an int property
// for each field but x and y; a bare thing line in "more" holds the place of
// its marker.
// Background colour keys 0, 1 and 2 as the transparent colour of a layer.
extern const char* const kKeyColors[3];

// `pictures` is put before each picture's game path ("tiles/tile0100.png"):
// the way from the map's folder to the data directory, ending in '/', or "".
std::string Export(const LevelFile::LevelData& level, TiledMap::Format format, const std::string& pictures);
// False with a message naming the map element the game cannot represent.
bool Import(const std::string& text, TiledMap::Format format, LevelFile::LevelData& level, std::string& error);
// The level source a map stands for (what Import compiles).
bool SourceOfMap(const TiledMap::Map& map, std::string& source, std::string& error);

// The largest map file read: the map of a level with every table full and
// every number at its widest takes 17 MB in either format; twice that
// leaves room for the way an editor lays it out.
constexpr size_t kMaxMapFileBytes = 32u << 20;

// The files of duskhold-level: a map file read as a level, and a level
// written as a map whose pictures point into the data directory `dataDir`.
// False with the reason.
bool ReadMapFile(const std::string& path, TiledMap::Format format, LevelFile::LevelData& level, std::string& error);
bool WriteMapFile(const LevelFile::LevelData& level, const std::string& path, TiledMap::Format format,
                  const std::string& dataDir, std::string& error);

}  // namespace LevelMap
