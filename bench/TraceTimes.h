#pragma once
#include <string>
#include <vector>

// What a trace written with DUSKHOLD_TRACE_TIMES=1 says about time. Each
// line carries the previous step's figures, so line N + 1 tells of step N.
struct TraceTimes {
    std::vector<double> frameMs;    // the whole pass of steps 1, 2, ... in ms
    double firstFrameShownMs = -1;  // CLOCK_MONOTONIC when step 1's picture was shown
};

// False when the file cannot be read or its lines carry no times.
bool ReadTraceTimes(const std::string& path, TraceTimes& times);
