#pragma once
#include "base/SharedConstants.h"
#include "base/Vector3.h"

// The view position (the level pixel at the top-left of the logical screen)
// with the bounds of the current level.
class Camera {
public:
    float X() const { return position_.x; }
    float Y() const { return position_.y; }
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
