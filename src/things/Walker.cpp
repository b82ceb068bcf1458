#include "things/Walker.h"
#include <cmath>

namespace {
constexpr int32_t kStepsPerFrame = 12;
// From the figure's bottom, where a wall ahead is looked for.
constexpr float kKneeHeight = 4.0f;
// Within this of the hero's feet across a walker and the hero walking at
// each other meet in half a second; up or down, four tiles: one on a floor
// beyond his jump does not wait for him.
constexpr float kWaitAcross = 96.0f;
constexpr float kWaitUpOrDown = 96.0f;
// One that came onto the screen this near him waits out its half second there.
constexpr float kAmbushAcross = 64.0f;
// Frames 0 and 1 walk, 2 is hurt.
constexpr Walker::Gait kGhoulGait{0.75f, 2, 16.0f, 36.0f, 1};
}

const ThingKind& WalkerKind() {
    static const ThingKind kind =
        PlacedKind("walker", "walks to and fro, turning at walls and ledge ends",
                   {{"range", 0, 960, 72, "pixels it walks each way from its place (0: to the walls and edges)"},
                    kHitPointsField,
                    kDropField},
                   MakerOf<Walker>(),
                   {{FrameLay::Figure, "ghoul upper", "ghoul legs apart", false},
                    {FrameLay::Figure, "ghoul upper", "ghoul legs passing", false},
                    {FrameLay::Figure, "ghoul upper", "ghoul legs apart", true}});
    return kind;
}

Walker::Walker(const PlacedThing& placed, ThingStage& stage) : Walker(placed, stage, kGhoulGait) {}

Walker::Walker(const PlacedThing& placed, ThingStage& stage, const Gait& gait)
    : Enemy(placed, stage, gait.width, gait.height, gait.leastWhip), gait_(gait), home_(position.x) {}

void Walker::Act(float step) {
    if (!FallOrStand(step) || Flashing()) return;
    if (MustTurn()) {
        facing_ = -facing_;
        return;
    }
    if (WaitsToBeSeen()) return;
    position.x += float(facing_) * gait_.speed * step;
    ++steps_;
}

// Its front edge is at a wall (at the knees or the head), over the end of the
// ground, or at the end of its range.
bool Walker::MustTurn() const {
    const float front = position.x + float(facing_) * (gait_.width * 0.5f + gait_.speed);
    const bool wall = Solid(Vector3(front, position.y - kKneeHeight), false) ||
                      Solid(Vector3(front, position.y - gait_.height + kKneeHeight), false);
    const bool edge = !Solid(Vector3(front, position.y), true);
    const int32_t range = Field("range");
    const bool far = range > 0 && (position.x - home_) * float(facing_) >= float(range);
    return wall || edge || far;
}

bool Walker::WaitsToBeSeen() const {
    if (SeenLongEnough() || !Hero().Present()) return false;
    const Vector3 apart = Hero().Feet() - position;
    const float ahead = apart.x * float(facing_);
    const float reach = StepsSeen() == 0 ? kWaitAcross : kAmbushAcross;
    return ahead > 0.0f && ahead < reach && std::fabs(apart.y) < kWaitUpOrDown;
}

int32_t Walker::Frame() const {
    if (Flashing() && gait_.hurtFrame >= 0) return gait_.hurtFrame;
    return steps_ / kStepsPerFrame % 2;
}
