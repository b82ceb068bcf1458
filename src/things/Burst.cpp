#include "things/Burst.h"
#include "core/EntityManager.h"
#include "things/ThingPlacement.h"

namespace {
constexpr int32_t kStepsPerFrame = 6;
// The death sound lasts 1.1 s: 69 steps.
constexpr int32_t kStepsKept = 72;
}

Burst::Burst(const Vector3& middle, std::shared_ptr<EnemyArt> art, const ScreenView& view)
    : middle_(middle), art_(std::move(art)), view_(view) {}

void Burst::Update(float) {
    if (++steps_ >= kStepsKept && manager) manager->Remove(this);
}

void Burst::Draw() {
    const int32_t frame = steps_ / kStepsPerFrame;
    if (frame < kBurstFrames)
        art_->Draw(BurstFrame() + frame, view_.ScreenX(middle_.x), view_.ScreenY(middle_.y + EnemyArt::kMiddleHeight),
                   1);
}
