#include "things/ThingFactory.h"
#include "things/CrumblingPlatform.h"
#include "things/Gem.h"
#include "things/Heart.h"
#include "things/Lantern.h"
#include "things/MovingPlatform.h"
#include "things/Spikes.h"
#include "things/WhipUpgrade.h"
#include "things/Flier.h"
#include "things/Guardian.h"
#include "things/Knight.h"
#include "things/Thrower.h"
#include "things/Walker.h"
#include <cstring>
#include <functional>
#include <map>
#include <string>

namespace {
using Maker = std::function<std::unique_ptr<Thing>(const PlacedThing&, StageRecord&)>;

template <typename Kind>
Maker MakerOf() {
    return [](const PlacedThing& placed, StageRecord& record) { return std::make_unique<Kind>(placed, record); };
}

// One entry a kind; a kind without an entry is not made.
const std::map<std::string, Maker>& Makers() {
    static const std::map<std::string, Maker> makers = {
        {"spikes", MakerOf<Spikes>()},
        {"platform", MakerOf<MovingPlatform>()},
        {"crumble", MakerOf<CrumblingPlatform>()},
        {"heart", MakerOf<Heart>()},
        {"whip", MakerOf<WhipUpgrade>()},
        {"gem", MakerOf<Gem>()},
        {"lantern", MakerOf<Lantern>()},
        {"walker", MakerOf<Walker>()},
        {"flier", MakerOf<Flier>()},
        {"thrower", MakerOf<Thrower>()},
        {"knight", MakerOf<Knight>()},
        {"guardian", MakerOf<Guardian>()},
    };
    return makers;
}
}

std::unique_ptr<Thing> MakeThing(const PlacedThing& placed, StageRecord& record) {
    auto maker = Makers().find(placed.kind->name);
    return maker == Makers().end() ? nullptr : maker->second(placed, record);
}
