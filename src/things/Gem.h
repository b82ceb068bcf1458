#pragma once
#include "things/Pickup.h"

// A gem: the stage counts those found against those it has, and shows both
// when it is cleared. It sparkles now and then, and chimes when taken.
class Gem : public Pickup {
public:
    using Pickup::Pickup;

private:
    void Collect(HeroContact& hero) override;
    Sound& Jingle() const override { return *art_->gemChime; }
    int32_t Frame(int32_t steps) const override;
};
