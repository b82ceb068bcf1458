#include "Loudness.h"
#include <algorithm>
#include <cmath>
#include <numeric>

namespace {
// The K-weighting's two stages, as analogue prototypes turned into filters
// for any sample rate (at 48 kHz they give the published coefficients).
const double kShelfHz = 1681.974450955533, kShelfGainDb = 3.999843853973347, kShelfQ = 0.7071752369554196;
const double kHighPassHz = 38.13547087602444, kHighPassQ = 0.5003270373238773;
const double kAbsoluteGate = -70.0, kRelativeGate = -10.0;
const size_t kStepsABlock = 4;  // 400 ms of 100 ms steps
}

double LoudnessMeter::Biquad::Step(double in, double state[2]) const {
    double out = b0 * in + state[0];
    state[0] = b1 * in - a1 * out + state[1];
    state[1] = b2 * in - a2 * out;
    return out;
}

LoudnessMeter::LoudnessMeter(int rate, int channels)
    : channels_(channels), stepFrames_(size_t(rate) / 10), state_(size_t(channels) * 4, 0.0) {
    double k = std::tan(M_PI * kShelfHz / rate);
    double high = std::pow(10.0, kShelfGainDb / 20.0), band = std::pow(high, 0.4996667741545416);
    double a0 = 1.0 + k / kShelfQ + k * k;
    shelf_ = {(high + band * k / kShelfQ + k * k) / a0, 2.0 * (k * k - high) / a0,
              (high - band * k / kShelfQ + k * k) / a0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / kShelfQ + k * k) / a0};
    k = std::tan(M_PI * kHighPassHz / rate);
    a0 = 1.0 + k / kHighPassQ + k * k;
    highPass_ = {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / kHighPassQ + k * k) / a0};
}

void LoudnessMeter::Add(const float* interleaved, size_t frames) {
    for (size_t frame = 0; frame < frames; ++frame) {
        for (int channel = 0; channel < channels_; ++channel) {
            double* state = &state_[size_t(channel) * 4];
            double weighted =
                highPass_.Step(shelf_.Step(interleaved[frame * size_t(channels_) + size_t(channel)], state), state + 2);
            openSum_ += weighted * weighted;
        }
        if (++openFrames_ == stepFrames_) {
            stepSums_.push_back(openSum_);
            openSum_ = 0.0;
            openFrames_ = 0;
        }
    }
}

double LoudnessOfPower(double power) { return power > 0.0 ? -0.691 + 10.0 * std::log10(power) : kSilentLoudness; }

std::vector<double> LoudnessMeter::Momentary() const {
    std::vector<double> blocks;
    for (size_t end = kStepsABlock; end <= stepSums_.size(); ++end) {
        double sum = std::accumulate(stepSums_.begin() + long(end - kStepsABlock), stepSums_.begin() + long(end), 0.0);
        blocks.push_back(LoudnessOfPower(sum / double(kStepsABlock * stepFrames_)));
    }
    return blocks;
}

double LoudnessMeter::MaxMomentary() const {
    std::vector<double> blocks = Momentary();
    return blocks.empty() ? kSilentLoudness : *std::max_element(blocks.begin(), blocks.end());
}

double LoudnessMeter::Integrated() const {
    std::vector<double> blocks = Momentary();
    auto gatedMean = [&](double gate) {
        double power = 0.0;
        size_t counted = 0;
        for (double block : blocks) {
            if (block <= gate) continue;
            power += std::pow(10.0, (block + 0.691) / 10.0);
            ++counted;
        }
        return counted ? LoudnessOfPower(power / double(counted)) : kSilentLoudness;
    };
    double ungated = gatedMean(kAbsoluteGate);
    return gatedMean(std::max(kAbsoluteGate, ungated + kRelativeGate));
}
