#pragma once
#include <string>
#include <vector>

// The hits a trace shows: each step on which the hero's hearts fall, the
// thing that hit him (the nearest enemy, bone or spikes) and how many steps
// before it had been in view, followed back through the trace.

struct Hit {
    long step = 0;  // 1-based, the trace line's step
    std::string kind;
    long stepsInView = 0;  // steps on end before the hit on which it was in view
};

std::vector<Hit> HitsInTrace(const std::vector<std::string>& trace);
