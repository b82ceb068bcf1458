#include "things/MovingPlatform.h"
#include <algorithm>
#include <cmath>

MovingPlatform::MovingPlatform(const PlacedThing& placed, StageRecord& record)
    : Ledge(placed, record), start_(position),
      length_(std::hypot(float(placed.Value("dx")), float(placed.Value("dy")))), speed_(float(placed.Value("speed"))) {
    if (length_ > 0.0f) way_ = Vector3(float(placed.Value("dx")) / length_, float(placed.Value("dy")) / length_, 0.0f);
}

void MovingPlatform::Update(float step) {
    along_ = std::clamp(along_ + direction_ * speed_ * step, 0.0f, length_);
    if (along_ >= length_) direction_ = -1.0f;
    else if (along_ <= 0.0f) direction_ = 1.0f;
    MoveCarrying(start_ + Vector3(way_.x * along_, way_.y * along_, 0.0f) - position);
}

void MovingPlatform::Draw() { DrawTiles(ThingArt::kPlatformTile, 0.0f, 0.0f); }
