#pragma once
#include "base/Vector3.h"

namespace LevelNamespace {
class Level;
}

// What the things that move by themselves read of the stage's ground.

// Whether a point lies in a wall tile of the main grid, or, with `ledges`,
// in a ledge tile: walls stop a thing from every side, ledges only hold it up.
bool InTile(const LevelNamespace::Level& level, const Vector3& point, bool ledges);
