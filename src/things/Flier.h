#pragma once
#include "things/Enemy.h"

// A bat. It hangs in the air, flapping, until the hero comes within `range`
// pixels, once it has been on the screen long enough to be seen; then it
// dives down to his chest ahead of him, flies level through where he stands,
// at the height of his whip, and climbs again on his other side, where it
// hangs anew. A wall in its way, or a crack of the whip that does not kill it,
// turns it back along the curve it came by. After a swoop it rests a while
// before the next.
class Flier : public Enemy {
public:
    Flier(const PlacedThing& placed, ThingStage& stage);

protected:
    void Act(float step) override;
    int32_t Frame() const override;

private:
    bool HeroInReach() const;
    void StartSwoop();
    // Where the swoop's curve is at `t`, from 0 (its start) to 1 (its end).
    Vector3 OnCurve(float t) const;
    bool Blocked(const Vector3& place) const;
    void Hang();

    Vector3 start_;
    float across_ = 0.0f;  // pixels from the start to the end of the curve
    float depth_ = 0.0f;   // pixels the curve dips below its start
    float t_ = 0.0f;
    float dt_ = 0.0f;  // per step: positive on the way, negative back
    int32_t rest_ = 0;
};
