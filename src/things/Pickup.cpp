#include "things/Pickup.h"
#include <cmath>
#include <cstdint>

namespace {
constexpr float kBobPixels = 2.0f;
constexpr int32_t kBobSteps = 60;
constexpr float kRisePerStep = 1.0f;
}

Pickup::Pickup(const PlacedThing& placed, ThingStage& stage) : Thing(placed, stage) {
    SetBoxSize(float(ThingArt::kFrameSize) - 8.0f, float(ThingArt::kFrameSize) - 6.0f);
}

void Pickup::Update(float) {
    ++steps_;
    if (taken_ >= 0) {
        if (++taken_ >= kRiseSteps) RemoveFromStage();
        return;
    }
    if (!HeroTouches()) return;
    taken_ = 0;
    DropBox();
    Collect(Hero());
    Jingle().Play();
    TakeForGood();
}

// It blinks as it rises.
void Pickup::Draw() {
    if (taken_ >= 0 && taken_ % 4 >= 2) return;
    const float bob = kBobPixels * std::sin(float(steps_) * 6.2831853f / float(kBobSteps));
    const float y = taken_ >= 0 ? position.y - kRisePerStep * float(taken_) : position.y + std::round(bob);
    art_->DrawStanding(Frame(steps_), ScreenX(position.x), ScreenY(y));
}
