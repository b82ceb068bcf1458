#include "things/Thrower.h"
#include "core/EntityManager.h"
#include "things/Bone.h"
#include <cmath>

namespace {
constexpr float kWidth = 16.0f;
constexpr float kHeight = 32.0f;
// The bone leaves the raised hand, ahead of the skull.
constexpr float kHandAhead = 8.0f;
constexpr float kHandHeight = 30.0f;
constexpr int32_t kThrowPoseSteps = 16;
// About a screen's width: a skeleton the hero cannot see does not throw.
constexpr float kReach = 288.0f;
enum Frame : int32_t { kStandFrame, kThrowFrame };
}

const ThingKind& ThrowerKind() {
    static const ThingKind kind =
        PlacedKind("thrower", "stands and lobs bones at the hero in arcs",
                   {{"every", 40, 400, 120, "steps between throws"}, WithDefault(kHitPointsField, 2), kDropField},
                   MakerOf<Thrower>(),
                   {{FrameLay::Figure, "skeleton upper", "skeleton legs", false},
                    {FrameLay::Figure, "skeleton upper throwing", "skeleton legs", false}});
    return kind;
}

Thrower::Thrower(const PlacedThing& placed, ThingStage& stage) : Enemy(placed, stage, kWidth, kHeight, 1) {}

void Thrower::Act(float step) {
    FallOrStand(step);
    if (!Hero().Present()) return;
    facing_ = Hero().Feet().x < position.x ? -1 : 1;
    if (++sinceThrow_ >= Field("every") && HeroInReach() && SeenLongEnough()) Throw();
}

bool Thrower::HeroInReach() const { return Hero().Alive() && std::fabs(Hero().Feet().x - position.x) <= kReach; }

void Thrower::Throw() {
    sinceThrow_ = 0;
    Art().Play(EnemyArt::Cue::Throw);
    const Vector3 hand = position + Vector3(float(facing_) * kHandAhead, -kHandHeight);
    if (manager) manager->Add(std::make_unique<Bone>(hand, HeroMiddle(), StepsSeen(), stage_));
}

int32_t Thrower::Frame() const {
    const bool throwing = age_ > kThrowPoseSteps && sinceThrow_ < kThrowPoseSteps;
    return throwing ? kThrowFrame : kStandFrame;
}
