#include "things/MovingPlatform.h"
#include <algorithm>
#include <cmath>

const ThingKind& MovingPlatformKind() {
    static const ThingKind kind =
        PlacedKind("platform", "a platform that carries the hero along a path and back",
                   {{"width", 1, 8, 2, "tiles wide"},
                    {"dx", -2400, 2400, 96, "pixels the path runs to the right (negative: left)"},
                    {"dy", -2400, 2400, 0, "pixels the path runs down (negative: up)"},
                    {"speed", 1, 4, 1, "pixels a step"}},
                   MakerOf<MovingPlatform>());
    return kind;
}

MovingPlatform::MovingPlatform(const PlacedThing& placed, ThingStage& stage)
    : Ledge(placed, stage), start_(position), length_(std::hypot(float(Field("dx")), float(Field("dy")))),
      speed_(float(Field("speed"))) {
    if (length_ > 0.0f) way_ = Vector3(float(Field("dx")) / length_, float(Field("dy")) / length_, 0.0f);
}

void MovingPlatform::Update(float step) {
    along_ = std::clamp(along_ + direction_ * speed_ * step, 0.0f, length_);
    if (along_ >= length_) direction_ = -1.0f;
    else if (along_ <= 0.0f) direction_ = 1.0f;
    MoveCarrying(start_ + Vector3(way_.x * along_, way_.y * along_, 0.0f) - position);
}

void MovingPlatform::Draw() { DrawTiles(ThingArt::kPlatformTile, 0.0f, 0.0f); }
