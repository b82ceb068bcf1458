#pragma once
#include "things/EnemyArt.h"
#include "things/Thing.h"
#include "things/SharedArt.h"
#include <memory>

// A bone a skeleton threw: it flies in an arc, spinning, and costs the hero
// a heart when it reaches him. The whip breaks it; a wall or a fall below
// the stage ends it. It has no marker: the skeleton makes it.
class Bone : public Thing {
public:
    // Thrown from `from` so that its arc comes down through `target`, by a
    // thrower the screen had shown for `throwerSeen` steps.
    Bone(const Vector3& from, const Vector3& target, int32_t throwerSeen, ThingStage& stage);
    void Update(float step) override;
    void Draw() override;

private:
    bool Ended() const;

    Vector3 velocity_;
    std::shared_ptr<EnemyArt> art_ = ShareArt<EnemyArt>();
    int32_t age_ = 0;
    int32_t throwerSeen_;
};
