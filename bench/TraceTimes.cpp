#include "TraceTimes.h"
#include <cstdlib>
#include <fstream>

namespace {
// The number after "name": in a trace line, or false when it has none.
bool NumberField(const std::string& line, const std::string& name, double& value) {
    std::string key = "\"" + name + "\":";
    size_t at = line.find(key);
    if (at == std::string::npos) return false;
    const char* start = line.c_str() + at + key.size();
    char* end = nullptr;
    value = strtod(start, &end);
    return end != start;
}
}

bool ReadTraceTimes(const std::string& path, TraceTimes& times) {
    std::ifstream in(path);
    std::string line;
    // Step 1's line tells of no step before it.
    if (!std::getline(in, line)) return false;
    for (long step = 1; std::getline(in, line); ++step) {
        double us = 0;
        if (!NumberField(line, "frame_us", us)) return false;
        times.frameMs.push_back(us / 1e3);
        if (step == 1 && !NumberField(line, "clock_ms", times.firstFrameShownMs)) return false;
    }
    return !times.frameMs.empty();
}
