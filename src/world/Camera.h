#pragma once
#include "core/Vector3.h"

// The process-wide view position (the level pixel at the top-left of the
// 320 by 240 screen) with the bounds of the current level.
namespace Camera {
// The logical screen the camera shows.
constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 240;

float X();
float Y();
void SetBounds(const Vector3& minimum, const Vector3& maximum);
void MoveTo(const Vector3& position);
void Follow(const Vector3& playerPosition);
Vector3 Minimum();
Vector3 Maximum();
}
