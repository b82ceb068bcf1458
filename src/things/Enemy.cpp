#include "things/Enemy.h"
#include "base/SharedConstants.h"
#include "core/EntityManager.h"
#include "player/Player.h"
#include "things/Burst.h"
#include "things/StageTiles.h"
#include "things/ThingFactory.h"
#include "world/Level.h"
#include <algorithm>
#include <cmath>

namespace {
constexpr int32_t kFlashSteps = 18;
constexpr int32_t kBlinkSteps = 3;
constexpr float kGravity = 0.25f;
constexpr float kFastestFall = 6.0f;
}

Enemy::Enemy(const PlacedThing& placed, StageRecord& record, float width, float height, int32_t leastWhip)
    : Thing(placed, record), hitPoints_(placed.Value("hp")), leastWhip_(leastWhip) {
    SetBoxSize(width, height);
    if (Player* hero = Hero()) facing_ = hero->position.x < position.x ? -1 : 1;
}

void Enemy::Update(float step) {
    if (!level_) level_ = FindStageLevel(manager);
    if (StruckByWhip()) TakeCrack();
    if (hitPoints_ <= 0) return;
    if (flash_ > 0) --flash_;
    Act(step);
    ++age_;
    PlaceBox();
    Player* hero = Hero();
    if (hero && HeroTouches()) hero->Hurt(1, position.x);
    // One that fell out of the stage is gone, without a burst or a heart.
    if (level_ && position.y - Box().size.y > level_->MainGridBottom()) RemoveFromStage();
}

void Enemy::Draw() {
    if (flash_ / kBlinkSteps % 2 == 1) return;
    art_->Draw(Frame(), position, facing_);
}

void Enemy::TakeCrack() {
    const Player* hero = Hero();
    if (!hero || hitPoints_ <= 0) return;
    if (hero->TheWhip().Level() < leastWhip_) {
        art_->Play(EnemyArt::Cue::Clank);
        return;
    }
    if (--hitPoints_ > 0) {
        art_->Play(EnemyArt::Cue::Hit);
        flash_ = kFlashSteps;
        return;
    }
    FallInABurst();
}

void Enemy::FallInABurst() {
    art_->Play(EnemyArt::Cue::Death);
    if (!manager) return;
    manager->Add(std::make_unique<Burst>(position - Vector3(0.0f, Box().size.y * 0.5f), art_));
    if (Placed().Value("drop") != 0) LeaveHeart();
    RemoveFromStage();
}

// The heart is a thing of its own, made where the enemy fell; it has no
// marker, so it is never taken for good.
void Enemy::LeaveHeart() {
    PlacedThing heart;
    heart.kind = FindThingKind("heart");
    heart.values = {{"x", int32_t(std::lround(position.x))}, {"y", int32_t(std::lround(position.y))}};
    heart.index = SIZE_MAX;
    if (std::unique_ptr<Thing> made = MakeThing(heart, record_)) manager->Add(std::move(made));
}

bool Enemy::Solid(const Vector3& point, bool ledges) const { return level_ && InTile(*level_, point, ledges); }

// The feet stand when the tile they are in holds them; falling, they land
// on the top of the first tile they reach (a fall never crosses a whole tile
// in a step).
bool Enemy::FallOrStand(float step) {
    if (!level_ || Solid(position, true)) {
        fallSpeed_ = 0.0f;
        return true;
    }
    fallSpeed_ = std::min(fallSpeed_ + kGravity * step, kFastestFall);
    const float next = position.y + fallSpeed_ * step;
    const float top = std::floor(next / float(kTileSize)) * float(kTileSize);
    if (top > position.y && Solid(Vector3(position.x, top, 0.0f), true)) {
        position.y = top;
        fallSpeed_ = 0.0f;
        return true;
    }
    position.y = next;
    return false;
}

Vector3 Enemy::HeroMiddle() {
    const Player* hero = Hero();
    return hero ? hero->position - Vector3(0.0f, hero->size.y * 0.5f) : Vector3();
}
