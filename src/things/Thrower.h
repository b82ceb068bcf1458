#pragma once
#include "things/Enemy.h"

// A skeleton. It stands on the ground facing the hero and, every `every`
// steps while he is within a screen's width, lobs a bone at him in an arc;
// only from the screen, once it has been on it for half a second.
class Thrower : public Enemy {
public:
    Thrower(const PlacedThing& placed, ThingStage& stage);

protected:
    void Act(float step) override;
    int32_t Frame() const override;

private:
    bool HeroInReach() const;
    void Throw();

    int32_t sinceThrow_ = 0;
};
