#pragma once
#include "base/SharedConstants.h"
#include "base/Vector3.h"

// What the screen shows of a stage: the level pixel at the top left of the
// logical screen, the rest of its 320 by 240 pixels to the right and below.
struct ScreenView {
    float left = 0.0f;
    float top = 0.0f;

    // Where a point of the world lands on the screen, truncated as the level's cells are.
    int32_t ScreenX(float x) const { return int32_t(x - left); }
    int32_t ScreenY(float y) const { return int32_t(y - top); }
    bool Shows(const Vector3& point) const {
        return point.x >= left && point.x < left + float(kScreenWidth) && point.y >= top &&
               point.y < top + float(kScreenHeight);
    }
};

// The view position (the level pixel at the top-left of the logical screen)
// with the bounds of the current level.
class Camera {
public:
    float X() const { return position_.x; }
    float Y() const { return position_.y; }
    ScreenView View() const { return {position_.x, position_.y}; }
    Vector3 Minimum() const { return minimum_; }
    Vector3 Maximum() const { return maximum_; }
    void SetBounds(const Vector3& minimum, const Vector3& maximum);
    void MoveTo(const Vector3& position);
    void Follow(const Vector3& playerPosition);

private:
    Vector3 position_;
    Vector3 minimum_;
    Vector3 maximum_;
};

// The camera the stage is seen through.
Camera& TheCamera();
