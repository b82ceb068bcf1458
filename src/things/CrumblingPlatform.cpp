#include "things/CrumblingPlatform.h"
#include <algorithm>

namespace {
constexpr float kGravity = 0.25f;
constexpr float kTopDropSpeed = 6.0f;
// Once its pieces have dropped a screen they are out of sight for good.
constexpr float kGoneBelow = float(kScreenHeight);
}

const ThingKind& CrumblingPlatformKind() {
    static const ThingKind kind =
        PlacedKind("crumble", "a ledge that crumbles a moment after the hero lands on it",
                   {{"width", 1, 8, 2, "tiles wide"}, {"delay", 10, 240, 40, "steps from landing to falling"}},
                   MakerOf<CrumblingPlatform>());
    return kind;
}

CrumblingPlatform::CrumblingPlatform(const PlacedThing& placed, ThingStage& stage)
    : Ledge(placed, stage), delay_(Field("delay")) {}

void CrumblingPlatform::Update(float) {
    if (sinceLanding_ < 0) {
        if (HeroStandsOn()) sinceLanding_ = 0;
        return;
    }
    if (Holds()) {
        if (++sinceLanding_ < delay_) return;
        FallAway();
        art_->crumble->Play();
        return;
    }
    if (dropped_ >= kGoneBelow) return;
    dropSpeed_ = std::min(dropSpeed_ + kGravity, kTopDropSpeed);
    dropped_ += dropSpeed_;
}

void CrumblingPlatform::Draw() {
    if (dropped_ >= kGoneBelow) return;
    const bool cracked = sinceLanding_ >= delay_ / 2;
    const bool shaking = Holds() && sinceLanding_ >= delay_ - kShakeSteps;
    const float shake = shaking ? ((sinceLanding_ / 2) % 2 == 0 ? -1.0f : 1.0f) : 0.0f;
    DrawTiles(cracked ? ThingArt::kCrumbleCracked : ThingArt::kCrumbleTile, shake, dropped_);
}
