#pragma once
#include <algorithm>
#include <vector>

// The value below which `fraction` of the samples lie (nearest rank), or 0
// for no samples: Percentile(samples, 0.5) is the median.
inline double Percentile(std::vector<double> samples, double fraction) {
    if (samples.empty()) return 0.0;
    size_t rank = size_t(fraction * double(samples.size()) + 0.999999);
    size_t index = std::min(samples.size() - 1, rank > 0 ? rank - 1 : 0);
    std::nth_element(samples.begin(), samples.begin() + long(index), samples.end());
    return samples[index];
}

inline double Median(const std::vector<double>& samples) { return Percentile(samples, 0.5); }
