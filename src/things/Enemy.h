#pragma once
#include "things/EnemyArt.h"
#include "things/Thing.h"
#include "things/SharedArt.h"
#include <memory>

// A foe of the hero. It takes `hp` cracks of a whip strong enough for its
// armour, flashing at each, and falls in a burst with a groan, leaving a
// heart when its marker says drop=1; a weaker whip only clanks on it.
// Touching it while it lives costs the hero a heart.
class Enemy : public Thing {
public:
    void Update(float step) override;
    void Draw() override;
    int32_t HitPoints() const { return hitPoints_; }

protected:
    // `leastWhip`: the weakest whip that hurts it (1 leather, 2 chain, 3 rune).
    // The box is w by h over its feet.
    Enemy(const PlacedThing& placed, ThingStage& stage, float width, float height, int32_t leastWhip = 1);
    // What it does in a step while it lives.
    virtual void Act(float step) = 0;
    // The frame it shows now, among its kind's frames.
    virtual int32_t Frame() const = 0;

    bool Flashing() const { return flash_ > 0; }
    // Falls until it stands on a wall or a ledge; true while it stands.
    bool FallOrStand(float step);
    // Whether a point is in a wall, or, with `ledges`, on a ledge too; with
    // no level, nothing is.
    bool Solid(const Vector3& point, bool ledges) const;
    EnemyArt& Art() { return *art_; }
    // The hero's middle, where he is hit.
    Vector3 HeroMiddle() const { return Hero().Middle(); }

    int32_t facing_ = -1;
    // Steps lived, for the animations.
    int32_t age_ = 0;

private:
    void TakeCrack();
    void FallInABurst();
    void LeaveHeart();

    std::shared_ptr<EnemyArt> art_ = ShareArt<EnemyArt>();
    int32_t firstFrame_;
    int32_t hitPoints_;
    int32_t leastWhip_;
    int32_t flash_ = 0;
    float fallSpeed_ = 0.0f;
};
