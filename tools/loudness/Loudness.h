#pragma once
#include <cstddef>
#include <vector>

// Loudness as a listener hears it: each channel K-weighted (a high shelf for
// the head, a high-pass for the ear's deafness to rumble), squared, summed
// over the channels and averaged over blocks, in LUFS. A full-scale 1 kHz
// sine in one channel reads -3.0 LUFS, in both 0.0 LUFS.
class LoudnessMeter {
public:
    LoudnessMeter(int rate, int channels);

    // Frames of `channels` interleaved samples, full scale at 1.0.
    void Add(const float* interleaved, size_t frames);

    // The loudness of every 400 ms block, one block each 100 ms.
    std::vector<double> Momentary() const;
    double MaxMomentary() const;
    // The whole, gated: blocks under -70 LUFS (silence) and then blocks more
    // than 10 LU under the mean of the rest (pauses) do not count.
    double Integrated() const;

private:
    struct Biquad {
        double b0, b1, b2, a1, a2;
        double Step(double in, double state[2]) const;
    };
    Biquad shelf_, highPass_;
    int channels_;
    size_t stepFrames_;             // 100 ms
    std::vector<double> state_;     // four filter states a channel
    std::vector<double> stepSums_;  // squared K-weighted sums, summed over channels, per 100 ms
    double openSum_ = 0.0;
    size_t openFrames_ = 0;
};

// The figure of a mean square summed over channels.
double LoudnessOfPower(double power);
constexpr double kSilentLoudness = -200.0;
