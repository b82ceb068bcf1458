#include "things/Burst.h"
#include "core/EntityManager.h"
#include "things/ThingPlacement.h"

namespace {
constexpr int32_t kStepsPerFrame = 6;
// The death sound lasts 1.1 s: 69 steps.
constexpr int32_t kStepsKept = 72;
}

Burst::Burst(const Vector3& middle, std::shared_ptr<EnemyArt> art) : middle_(middle), art_(std::move(art)) {}

void Burst::Update(float) {
    if (++steps_ >= kStepsKept && manager) manager->Remove(this);
}

void Burst::Draw() {
    const int32_t frame = steps_ / kStepsPerFrame;
    if (frame < kBurstFrames) art_->Draw(BurstFrame() + frame, middle_ + Vector3(0.0f, EnemyArt::kMiddleHeight), 1);
}
