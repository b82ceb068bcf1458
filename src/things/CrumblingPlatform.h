#pragma once
#include "things/Ledge.h"

// A ledge that, `delay` steps after the hero first lands on it, falls away
// and drops him: it cracks halfway through the delay and shakes at its end.
// It comes back with the other things when the hero comes back.
class CrumblingPlatform : public Ledge {
public:
    static constexpr int32_t kShakeSteps = 16;

    CrumblingPlatform(const PlacedThing& placed, ThingStage& stage);
    void Update(float step) override;
    void Draw() override;

private:
    int32_t delay_;
    // Steps since the hero landed; -1 before.
    int32_t sinceLanding_ = -1;
    float dropped_ = 0.0f;
    float dropSpeed_ = 0.0f;
};
