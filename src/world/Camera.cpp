#include "world/Camera.h"

namespace {
struct CameraState {
    Vector3 position;
    Vector3 minimum;
    Vector3 maximum;
};

CameraState gCamera;

constexpr float kHalfWidth = kScreenWidth / 2;
constexpr float kHalfHeight = kScreenHeight / 2;
}

namespace Camera {

float X() { return gCamera.position.x; }
float Y() { return gCamera.position.y; }
Vector3 Minimum() { return gCamera.minimum; }
Vector3 Maximum() { return gCamera.maximum; }

void SetBounds(const Vector3& minimum, const Vector3& maximum) {
    gCamera.minimum = minimum;
    gCamera.maximum = maximum;
}

// The upper clamps come last, so a level narrower than the screen pins the
// camera to its right or bottom edge.
void MoveTo(const Vector3& position) {
    Vector3& p = gCamera.position;
    p = position;
    if (p.x < gCamera.minimum.x) p.x = gCamera.minimum.x;
    if (p.y < gCamera.minimum.y) p.y = gCamera.minimum.y;
    if (p.x + kScreenWidth > gCamera.maximum.x) p.x = gCamera.maximum.x - kScreenWidth;
    if (p.y + kScreenHeight > gCamera.maximum.y) p.y = gCamera.maximum.y - kScreenHeight;
}

void Follow(const Vector3& playerPosition) {
    if (playerPosition.x != X() + kHalfWidth) MoveTo(Vector3(playerPosition.x - kHalfWidth, Y(), 0.0f));
    if (playerPosition.y != Y() + kHalfHeight) MoveTo(Vector3(X(), playerPosition.y - kHalfHeight, 0.0f));
}

}  // namespace Camera
