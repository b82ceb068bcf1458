#include "world/Camera.h"

namespace {
Camera gCamera;

constexpr float kHalfWidth = kScreenWidth / 2;
constexpr float kHalfHeight = kScreenHeight / 2;
}

Camera& TheCamera() { return gCamera; }

void Camera::SetBounds(const Vector3& minimum, const Vector3& maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
}

// The upper clamps come last, so a level narrower than the screen pins the
// camera to its right or bottom edge.
void Camera::MoveTo(const Vector3& position) {
    Vector3& p = position_;
    p = position;
    if (p.x < minimum_.x) p.x = minimum_.x;
    if (p.y < minimum_.y) p.y = minimum_.y;
    if (p.x + kScreenWidth > maximum_.x) p.x = maximum_.x - kScreenWidth;
    if (p.y + kScreenHeight > maximum_.y) p.y = maximum_.y - kScreenHeight;
}

void Camera::Follow(const Vector3& playerPosition) {
    if (playerPosition.x != X() + kHalfWidth) MoveTo(Vector3(playerPosition.x - kHalfWidth, Y(), 0.0f));
    if (playerPosition.y != Y() + kHalfHeight) MoveTo(Vector3(X(), playerPosition.y - kHalfHeight, 0.0f));
}
