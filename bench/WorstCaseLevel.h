#pragma once
#include <string>

// The largest level the file format allows, written as a real level file
// with its pictures into a data directory:
//   - a main grid of 100 by 100 stored cells (the game keeps 100 columns by
//     99 rows), every cell a wall and a ledge at once: 19,800 collision
//     rectangles, each cell drawn with a picture;
//   - middle and back grids of 100 by 100 stored cells, every one a picture;
//   - 8 background layers, each as large as the screen and scrolling at its
//     own pace, none cut away by a vertical shift.
extern const char* const kWorstCaseLevel;

// The level's source text (docs/level-format.md).
std::string WorstCaseSource();

// Writes levels/<kWorstCaseLevel> and the tile and background pictures it
// names into `dataDir`, whose tiles, bg and levels folders exist; false with
// the reason on failure.
bool WriteWorstCaseLevel(const std::string& dataDir, std::string& error);
