#pragma once
#include "things/Ledge.h"

// A ledge that falls away and drops the hero `delay` steps after he first
// lands on it (never sooner than kLeastWarningSteps), shaking and cracked
// from the moment he lands. kReturnSteps after it fell it is back in its
// place, once the hero is not there; it comes back at once too with the
// other things when the hero comes back at a lantern.
class CrumblingPlatform : public Ledge {
public:
    // Half a second: as long as any danger shows before it hurts.
    static constexpr int32_t kLeastWarningSteps = 30;
    static constexpr int32_t kReturnSteps = 180;

    CrumblingPlatform(const PlacedThing& placed, ThingStage& stage);
    void Update(float step) override;
    void Draw() override;
    // Whether it shakes and shows its cracks: the hero landed and it still holds.
    bool Warns() const { return Holds() && sinceLanding_ >= 0; }

private:
    void Fall();
    void ComeBackWhenClear();

    int32_t delay_;
    // Steps since the hero landed; -1 before.
    int32_t sinceLanding_ = -1;
    // Steps since it fell away.
    int32_t sinceFall_ = 0;
    float dropped_ = 0.0f;
    float dropSpeed_ = 0.0f;
};
