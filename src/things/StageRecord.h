#pragma once
#include <cstddef>
#include <cstdint>
#include <set>

// What a play stage remembers while it lasts, also across the hero's deaths:
// the things taken for good (gems, whip upgrades, hearts) and the lanterns
// lit and the foes beaten, by their place among the stage's things, the gems
// found and foes beaten against the stage's totals, and the steps played.
struct StageRecord {
    std::set<size_t> takenForGood;
    std::set<size_t> litLanterns;
    std::set<size_t> foesBeaten;
    int32_t gemsFound = 0;
    int32_t gemTotal = 0;
    int32_t foeTotal = 0;
    int32_t steps = 0;
};
