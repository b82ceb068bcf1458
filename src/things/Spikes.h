#pragma once
#include "things/Thing.h"
#include "things/ThingArt.h"
#include "things/SharedArt.h"
#include <memory>

// A row of `width` spike tiles centred on x. On a floor they point up; with
// `ceiling=1` they hang and point down. Either way y is their bottom edge:
// the floor's top, or the tips of hanging spikes, kHeight below the ceiling.
// Touching them costs a heart and knocks the hero back the way he came.
class Spikes : public Thing {
public:
    static constexpr int32_t kHeight = 12;

    Spikes(const PlacedThing& placed, ThingStage& stage);
    void Update(float step) override;
    void Draw() override;

private:
    int32_t tiles_;
    bool hanging_;
    std::shared_ptr<ThingArt> art_ = ShareArt<ThingArt>();
};
