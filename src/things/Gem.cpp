#include "things/Gem.h"
#include "things/StageRecord.h"

namespace {
constexpr int32_t kSparkleEvery = 48;
constexpr int32_t kSparkleSteps = 8;
}

void Gem::Collect(Player&) { ++record_.gemsFound; }

int32_t Gem::Frame(int32_t steps) const {
    return steps % kSparkleEvery < kSparkleSteps ? ThingArt::kGemSparkle : ThingArt::kGem;
}
