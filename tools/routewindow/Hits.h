#pragma once
#include <string>
#include <vector>

// The hits a trace shows: each step whose `hit` field says the hero took a
// blow, what dealt it and on how many steps on end the screen had shown it
// before; for a thrown bone also how long its thrower had been shown when
// it threw (-1 for a blow of anything else).

struct Hit {
    long step = 0;  // 1-based, the trace line's step
    std::string kind;
    long stepsInView = 0;
    long throwerInView = -1;
};

std::vector<Hit> HitsInTrace(const std::vector<std::string>& trace);
