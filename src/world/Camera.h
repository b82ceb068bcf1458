#pragma once
#include "core/SharedConstants.h"
#include "core/Vector3.h"

// The process-wide view position (the level pixel at the top-left of the
// logical screen) with the bounds of the current level.
namespace Camera {
float X();
float Y();
void SetBounds(const Vector3& minimum, const Vector3& maximum);
void MoveTo(const Vector3& position);
void Follow(const Vector3& playerPosition);
Vector3 Minimum();
Vector3 Maximum();
}
