#pragma once
#include "things/Ledge.h"

// A ledge that travels from its place to (x + dx, y + dy) and back, `speed`
// pixels a step, carrying the hero who stands on it.
class MovingPlatform : public Ledge {
public:
    MovingPlatform(const PlacedThing& placed, ThingStage& stage);
    void Update(float step) override;
    void Draw() override;

private:
    Vector3 start_;
    // The path's direction, one pixel long, and its length.
    Vector3 way_;
    float length_;
    float speed_;
    // How far along the path it is, and which way it goes (+1 out, -1 back).
    float along_ = 0.0f;
    float direction_ = 1.0f;
};
