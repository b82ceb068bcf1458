#include "TraceTimes.h"
#include "json/JsonField.h"
#include <fstream>

bool ReadTraceTimes(const std::string& path, TraceTimes& times) {
    std::ifstream in(path);
    std::string line;
    // Step 1's line tells of no step before it.
    if (!std::getline(in, line)) return false;
    for (long step = 1; std::getline(in, line); ++step) {
        double us = 0;
        if (!JsonNumberField(line, "frame_us", us)) return false;
        times.frameMs.push_back(us / 1e3);
        if (step == 1 && !JsonNumberField(line, "clock_ms", times.firstFrameShownMs)) return false;
    }
    return !times.frameMs.empty();
}
