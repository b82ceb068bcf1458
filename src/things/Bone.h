#pragma once
#include "things/EnemyArt.h"
#include "things/Thing.h"
#include <memory>

namespace LevelNamespace {
class Level;
}

// A bone a skeleton threw: it flies in an arc, spinning, and costs the hero
// a heart when it reaches him. The whip breaks it; a wall or a fall below
// the stage ends it. It has no marker: the skeleton makes it.
class Bone : public Thing {
public:
    // Thrown from `from` so that its arc comes down through `target`.
    Bone(const Vector3& from, const Vector3& target, StageRecord& record);
    void Update(float step) override;
    void Draw() override;

private:
    bool Ended() const;

    Vector3 velocity_;
    std::shared_ptr<EnemyArt> art_ = EnemyArt::Share();
    const LevelNamespace::Level* level_ = nullptr;
    int32_t age_ = 0;
};
