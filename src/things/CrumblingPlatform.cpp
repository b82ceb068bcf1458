#include "things/CrumblingPlatform.h"
#include <algorithm>

namespace {
constexpr float kGravity = 0.25f;
constexpr float kTopDropSpeed = 6.0f;
// Once its pieces have dropped a screen they are out of sight.
constexpr float kGoneBelow = float(kScreenHeight);
}

const ThingKind& CrumblingPlatformKind() {
    static const ThingKind kind =
        PlacedKind("crumble", "a ledge that shakes when the hero lands on it, falls a moment later and comes back",
                   {{"width", 1, 8, 2, "tiles wide"}, {"delay", 10, 240, 40, "steps from landing to falling"}},
                   MakerOf<CrumblingPlatform>());
    return kind;
}

CrumblingPlatform::CrumblingPlatform(const PlacedThing& placed, ThingStage& stage)
    : Ledge(placed, stage), delay_(std::max(int32_t(Field("delay")), kLeastWarningSteps)) {}

void CrumblingPlatform::Update(float) {
    if (!Holds()) {
        dropSpeed_ = std::min(dropSpeed_ + kGravity, kTopDropSpeed);
        dropped_ = std::min(dropped_ + dropSpeed_, kGoneBelow);
        ComeBackWhenClear();
        return;
    }
    if (sinceLanding_ < 0) {
        if (HeroStandsOn()) sinceLanding_ = 0;
        return;
    }
    if (++sinceLanding_ >= delay_) Fall();
}

void CrumblingPlatform::Fall() {
    FallAway();
    art_->crumble->Play();
    sinceFall_ = 0;
}

// It does not come back into the hero: while he is where it stands, it waits.
void CrumblingPlatform::ComeBackWhenClear() {
    if (++sinceFall_ < kReturnSteps || HeroInside()) return;
    Restore();
    sinceLanding_ = -1;
    dropped_ = dropSpeed_ = 0.0f;
}

void CrumblingPlatform::Draw() {
    if (dropped_ >= kGoneBelow) return;
    const float shake = Warns() ? ((sinceLanding_ / 2) % 2 == 0 ? -1.0f : 1.0f) : 0.0f;
    const bool cracked = sinceLanding_ >= 0;
    DrawTiles(cracked ? ThingArt::kCrumbleCracked : ThingArt::kCrumbleTile, shake, dropped_);
}
