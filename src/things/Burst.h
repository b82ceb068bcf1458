#pragma once
#include "core/Entity.h"
#include "things/EnemyArt.h"
#include "world/Camera.h"
#include <memory>

// The puff a fallen enemy or a broken bone leaves: the burst frames at its
// middle, then nothing, while it keeps the art long enough for the death
// sound to play out after the last enemy of the stage is gone. It is drawn
// through the view of the stage it is in.
class Burst : public Entity {
public:
    Burst(const Vector3& middle, std::shared_ptr<EnemyArt> art, const ScreenView& view);
    void Update(float step) override;
    void Draw() override;

private:
    Vector3 middle_;
    std::shared_ptr<EnemyArt> art_;
    const ScreenView& view_;
    int32_t steps_ = 0;
};
