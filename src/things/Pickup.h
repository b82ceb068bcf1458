#pragma once
#include "platform/Sound.h"
#include "things/Thing.h"
#include "things/ThingArt.h"
#include "things/SharedArt.h"
#include <memory>

// Something the hero takes by touching it: it bobs where it was placed and,
// once taken, rises out of sight with a sound. One the stage placed is taken
// for good; one dropped by a falling enemy is not.
class Pickup : public Thing {
public:
    // Steps a taken pickup shows rising, long enough for its sound to end.
    static constexpr int32_t kRiseSteps = 24;

    Pickup(const PlacedThing& placed, ThingStage& stage);
    void Update(float step) override;
    void Draw() override;

protected:
    // What taking it does.
    virtual void Collect(HeroContact& hero) = 0;
    virtual Sound& Jingle() const { return *art_->pickup; }
    // The picture at a step of its life.
    virtual int32_t Frame(int32_t steps) const = 0;

    std::shared_ptr<ThingArt> art_ = ShareArt<ThingArt>();

private:
    int32_t steps_ = 0;
    // Steps since it was taken; -1 before.
    int32_t taken_ = -1;
};
