#pragma once
#include "things/Pickup.h"

// Raises the hero's whip a level: leather to chain to rune.
class WhipUpgrade : public Pickup {
public:
    using Pickup::Pickup;

private:
    void Collect(HeroContact& hero) override;
    int32_t Frame(int32_t) const override { return ThingArt::kWhipUpgrade; }
};
