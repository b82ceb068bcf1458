#pragma once
#include "things/Pickup.h"

// Heals the hero by one heart.
class Heart : public Pickup {
public:
    using Pickup::Pickup;

private:
    void Collect(HeroContact& hero) override;
    int32_t Frame(int32_t) const override { return ThingArt::kHeart; }
};
