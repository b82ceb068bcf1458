#pragma once
#include <cstddef>
#include <cstdint>
#include <set>

// What a play stage remembers while it lasts, also across the hero's deaths:
// the things taken for good (gems, whip upgrades, hearts) and the lanterns
// lit, by their place among the stage's things, and the gems found against
// the stage's total.
struct StageRecord {
    std::set<size_t> takenForGood;
    std::set<size_t> litLanterns;
    int32_t gemsFound = 0;
    int32_t gemTotal = 0;
};
