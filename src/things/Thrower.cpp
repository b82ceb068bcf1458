#include "things/Thrower.h"
#include "core/EntityManager.h"
#include "player/Player.h"
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
}

Thrower::Thrower(const PlacedThing& placed, StageRecord& record) : Enemy(placed, record, kWidth, kHeight, 1) {}

void Thrower::Act(float step) {
    FallOrStand(step);
    const Player* hero = Hero();
    if (!hero) return;
    facing_ = hero->position.x < position.x ? -1 : 1;
    if (++sinceThrow_ >= Placed().Value("every") && HeroInReach()) Throw();
}

bool Thrower::HeroInReach() const {
    const Player* hero = Hero();
    return hero && hero->State() != HeroState::Dead && std::fabs(hero->position.x - position.x) <= kReach;
}

void Thrower::Throw() {
    sinceThrow_ = 0;
    Art().Play(EnemyArt::Cue::Throw);
    const Vector3 hand = position + Vector3(float(facing_) * kHandAhead, -kHandHeight);
    if (manager) manager->Add(std::make_unique<Bone>(hand, HeroMiddle(), record_));
}

int32_t Thrower::Frame() const {
    const bool throwing = age_ > kThrowPoseSteps && sinceThrow_ < kThrowPoseSteps;
    return throwing ? EnemyArt::kThrowerThrow : EnemyArt::kThrowerStand;
}
