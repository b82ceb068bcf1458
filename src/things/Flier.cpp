#include "things/Flier.h"
#include "world/Level.h"
#include <algorithm>
#include <cmath>

namespace {
constexpr float kWidth = 14.0f;
constexpr float kHeight = 10.0f;
constexpr int32_t kStepsPerFlap = 6;
// Frames 0 and 1 flap.
constexpr int32_t kSwoopFrame = 2;
// Pixels a step along the curve's width, and its fewest steps.
constexpr float kSwoopSpeed = 2.5f;
constexpr float kFewestSwoopSteps = 40.0f;
// A hero right under the bat is still swooped past, not dropped on.
constexpr float kLeastAcross = 64.0f;
constexpr float kLeastDepth = 24.0f;
// The bat swoops at a hero no higher than this above it.
constexpr float kSeesAbove = 24.0f;
constexpr int32_t kRestSteps = 60;
constexpr float kPi = 3.14159265f;
// The dive reaches the hero's height in the first sixth of the curve and
// stays level until the last sixth, so it flies at him at whip height.
constexpr float kDiveSteepness = 2.0f;
}

const ThingKind& FlierKind() {
    static const ThingKind kind =
        PlacedKind("flier", "hangs in the air and swoops at the hero when he comes near",
                   {{"range", 24, 240, 120, "pixels from the hero at which it swoops"}, kHitPointsField, kDropField},
                   MakerOf<Flier>(),
                   {{FrameLay::Whole, nullptr, "bat wings up", false},
                    {FrameLay::Whole, nullptr, "bat wings down", false},
                    {FrameLay::Whole, nullptr, "bat swooping", false}});
    return kind;
}

Flier::Flier(const PlacedThing& placed, ThingStage& stage) : Enemy(placed, stage, kWidth, kHeight) {}

void Flier::Act(float) {
    if (dt_ == 0.0f) {
        if (rest_ > 0) --rest_;
        else if (SeenLongEnough() && HeroInReach()) StartSwoop();
        return;
    }
    const float t = t_ + dt_;
    const Vector3 next = OnCurve(std::clamp(t, 0.0f, 1.0f));
    // Against a wall, or whipped, it turns back the way it came, which was free.
    if (dt_ > 0.0f && (Flashing() || Blocked(next))) {
        dt_ = -std::fabs(dt_);
        return;
    }
    t_ = t;
    position = next;
    if (t_ <= 0.0f || t_ >= 1.0f) Hang();
}

bool Flier::HeroInReach() const {
    if (!Hero().Alive()) return false;
    const Vector3 middle = HeroMiddle();
    return std::fabs(middle.x - position.x) <= float(Field("range")) && middle.y >= position.y - kSeesAbove;
}

// The curve runs from here through the hero's middle and on as far again,
// level at his height through its middle two thirds.
void Flier::StartSwoop() {
    const Vector3 middle = HeroMiddle() + Vector3(0.0f, kHeight * 0.5f);
    start_ = position;
    facing_ = middle.x < position.x ? -1 : 1;
    across_ = 2.0f * (middle.x - position.x);
    if (std::fabs(across_) < kLeastAcross) across_ = float(facing_) * kLeastAcross;
    depth_ = std::max(middle.y - position.y, kLeastDepth);
    t_ = 0.0f;
    dt_ = 1.0f / std::max(std::fabs(across_) / kSwoopSpeed, kFewestSwoopSteps);
}

Vector3 Flier::OnCurve(float t) const {
    return start_ + Vector3(across_ * t, depth_ * std::min(1.0f, kDiveSteepness * std::sin(kPi * t)));
}

// Its body may not go into a wall, above the stage or off its sides.
bool Flier::Blocked(const Vector3& place) const {
    const LevelNamespace::Level* level = StageLevel();
    if (!level) return false;
    const float half = kWidth * 0.5f;
    const float right = float(kTileSize) * float(level->mainGrid.size());
    if (place.x - half < 0.0f || place.x + half > right || place.y - kHeight < 0.0f) return true;
    for (float x : {place.x - half, place.x + half})
        for (float y : {place.y - kHeight, place.y})
            if (Solid(Vector3(x, y), false)) return true;
    return false;
}

void Flier::Hang() {
    dt_ = 0.0f;
    rest_ = kRestSteps;
}

int32_t Flier::Frame() const {
    if (dt_ != 0.0f) return kSwoopFrame;
    return age_ / kStepsPerFlap % 2;
}
