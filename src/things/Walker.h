#pragma once
#include "things/Enemy.h"

// Walks to and fro on the ground, `range` pixels each way from its place (0:
// as far as the ground goes), turning at walls and where the ground ends;
// it falls when nothing holds it and pauses while it flashes from a hit.
// Near the hero and off the screen, it does not walk toward him: it waits,
// so that none walks into him from off the screen; one that comes onto the
// screen very near him waits there for half a second.
class Walker : public Enemy {
public:
    // How a kind of walker moves and looks: its kind's frames 0 and 1 walk.
    struct Gait {
        float speed;
        int32_t hurtFrame;  // negative: the first walk frame, blinking
        float width, height;
        int32_t leastWhip;
    };

    Walker(const PlacedThing& placed, ThingStage& stage);

protected:
    Walker(const PlacedThing& placed, ThingStage& stage, const Gait& gait);
    void Act(float step) override;
    int32_t Frame() const override;

private:
    bool MustTurn() const;
    bool WaitsToBeSeen() const;

    Gait gait_;
    float home_;
    int32_t steps_ = 0;
};
