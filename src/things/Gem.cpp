#include "things/Gem.h"
#include "things/StageRecord.h"

namespace {
constexpr int32_t kSparkleEvery = 48;
constexpr int32_t kSparkleSteps = 8;
}

const ThingKind& GemKind() {
    static const ThingKind kind = PlacedKind("gem", "a gem, counted at the stage's clear", {}, MakerOf<Gem>());
    return kind;
}

void Gem::Collect(HeroContact&) { ++stage_.record.gemsFound; }

int32_t Gem::Frame(int32_t steps) const {
    return steps % kSparkleEvery < kSparkleSteps ? ThingArt::kGemSparkle : ThingArt::kGem;
}
