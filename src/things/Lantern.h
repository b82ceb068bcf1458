#pragma once
#include "things/Thing.h"
#include "things/ThingArt.h"
#include "things/SharedArt.h"
#include <memory>

// A checkpoint standing on the floor at (x, y). The hero's touch lights it,
// with a whoosh, and makes its place his checkpoint: when he dies he comes
// back standing there. A lit lantern stays lit for the rest of the stage.
class Lantern : public Thing {
public:
    Lantern(const PlacedThing& placed, ThingStage& stage);
    void Update(float step) override;
    void Draw() override;

    bool Lit() const { return lit_; }

private:
    bool lit_;
    int32_t steps_ = 0;
    std::shared_ptr<ThingArt> art_ = ShareArt<ThingArt>();
};
