#pragma once
#include "base/Vector3.h"
#include "world/Level.h"
#include <string>
#include <vector>

namespace LevelNamespace {

// Builds a level's main grid from a picture written as text, one string per
// row, so that a level reads like what it shows:
//   '.' or ' '  empty
//   '#'  wall: category 0x40, tile picture 0
//   '='  ledge: category 0x20 (only the feet and the lower side probes feel
//        it), tile picture 1
//   '%'  both categories, tile picture 2
//   '*'  unseen wall: category 0x40, no picture
//   'P'  empty; the hero starts on the middle of this cell's bottom edge
// Any other character is empty; short rows are padded with empty cells.
// The level gets its rectangles, and the camera the level's bounds. The
// tile pictures are the caller's to add.
void BuildTextLevel(Level& level, const std::vector<std::string>& rows);

// The hero's start marked by 'P', or (0, 0, 0) when no cell is marked.
Vector3 TextLevelStart(const std::vector<std::string>& rows);

}  // namespace LevelNamespace
