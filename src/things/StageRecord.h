#pragma once
#include <cstddef>
#include <cstdint>
#include <set>

// What a play stage remembers while it lasts, also across the hero's deaths:
// the things taken for good (gems, whip upgrades), by their place among the
// stage's things, and the gems found against the stage's total.
struct StageRecord {
    std::set<size_t> takenForGood;
    int32_t gemsFound = 0;
    int32_t gemTotal = 0;
};
