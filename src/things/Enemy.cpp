#include "things/Enemy.h"
#include "base/SharedConstants.h"
#include "core/EntityManager.h"
#include "things/Burst.h"
#include "things/StageRecord.h"
#include "things/StageTiles.h"
#include "world/Level.h"
#include <algorithm>
#include <cmath>

namespace {
constexpr int32_t kFlashSteps = 18;
constexpr int32_t kBlinkSteps = 3;
constexpr float kGravity = 0.25f;
constexpr float kFastestFall = 6.0f;
}

Enemy::Enemy(const PlacedThing& placed, ThingStage& stage, float width, float height, int32_t leastWhip)
    : Thing(placed, stage), firstFrame_(FirstEnemyFrame(Kind())), hitPoints_(Field("hp")), leastWhip_(leastWhip) {
    SetBoxSize(width, height);
    if (Hero().Present()) facing_ = Hero().Feet().x < position.x ? -1 : 1;
}

void Enemy::Update(float step) {
    NoteSight();
    if (StruckByWhip()) TakeCrack();
    if (hitPoints_ <= 0) return;
    if (flash_ > 0) --flash_;
    Act(step);
    ++age_;
    PlaceBox();
    if (HeroTouches()) HurtHero(1, position.x);
    // One that fell out of the stage is gone, without a burst or a heart.
    if (StageLevel() && position.y - Box()->size.y > StageLevel()->MainGridBottom()) RemoveFromStage();
}

void Enemy::Draw() {
    if (flash_ / kBlinkSteps % 2 == 1) return;
    art_->Draw(firstFrame_ + Frame(), ScreenX(position.x), ScreenY(position.y), facing_);
}

void Enemy::TakeCrack() {
    if (!Hero().Present() || hitPoints_ <= 0) return;
    if (Hero().WhipLevel() < leastWhip_) {
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
    if (Index()) stage_.record.foesBeaten.insert(*Index());
    if (!manager) return;
    manager->Add(std::make_unique<Burst>(position - Vector3(0.0f, Box()->size.y * 0.5f), art_, stage_.view));
    if (Field("drop") != 0) LeaveHeart();
    RemoveFromStage();
}

// The heart is a thing of its own, made where the enemy fell; it has no
// marker, so it is never taken for good.
void Enemy::LeaveHeart() {
    if (std::unique_ptr<Thing> made = MakeThingAt(*FindThingKind("heart"), position, stage_))
        manager->Add(std::move(made));
}

bool Enemy::Solid(const Vector3& point, bool ledges) const {
    return StageLevel() && InTile(*StageLevel(), point, ledges);
}

// The feet stand when the tile they are in holds them; falling, they land
// on the top of the first tile they reach (a fall never crosses a whole tile
// in a step).
bool Enemy::FallOrStand(float step) {
    if (!StageLevel() || Solid(position, true)) {
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
