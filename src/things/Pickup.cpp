#include "things/Pickup.h"
#include "player/Player.h"
#include <cmath>
#include <cstdint>

namespace {
constexpr float kBobPixels = 2.0f;
constexpr int32_t kBobSteps = 60;
constexpr float kRisePerStep = 1.0f;
// What a dropped thing's place among the stage's things is.
constexpr size_t kDropped = SIZE_MAX;
}

Pickup::Pickup(const PlacedThing& placed, StageRecord& record) : Thing(placed, record) {
    SetBoxSize(float(ThingArt::kFrameSize) - 8.0f, float(ThingArt::kFrameSize) - 6.0f);
}

void Pickup::Update(float) {
    ++steps_;
    if (taken_ >= 0) {
        if (++taken_ >= kRiseSteps) RemoveFromStage();
        return;
    }
    Player* hero = Hero();
    if (!hero || !HeroTouches()) return;
    taken_ = 0;
    Collect(*hero);
    Jingle().Play();
    if (Placed().index != kDropped) TakeForGood();
}

// It blinks as it rises.
void Pickup::Draw() {
    if (taken_ >= 0 && taken_ % 4 >= 2) return;
    const float bob = kBobPixels * std::sin(float(steps_) * 6.2831853f / float(kBobSteps));
    const float y = taken_ >= 0 ? position.y - kRisePerStep * float(taken_) : position.y + std::round(bob);
    art_->DrawStanding(Frame(steps_), ScreenX(position.x), ScreenY(y));
}
