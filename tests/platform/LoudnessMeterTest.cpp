#include "loudness/Loudness.h"
#include <cmath>
#include <gtest/gtest.h>

namespace {
// Seconds of a sine of `hertz` at `level` (1.0 full scale) in the left
// channel, and in the right one too when `both`.
void AddSine(LoudnessMeter& meter, int rate, double hertz, double level, double seconds, bool both = true) {
    std::vector<float> frames;
    for (int i = 0; i < int(seconds * rate); ++i) {
        float sample = float(level * std::sin(2.0 * M_PI * hertz * i / rate));
        frames.insert(frames.end(), {sample, both ? sample : 0.0f});
    }
    meter.Add(frames.data(), frames.size() / 2);
}

double SineLoudness(int rate, double hertz, bool both) {
    LoudnessMeter meter(rate, 2);
    AddSine(meter, rate, hertz, 1.0, 2.0, both);
    return meter.Integrated();
}
}

// A full-scale 1 kHz sine in one channel is -3.01 LUFS by the meter's
// definition (the K-weighting's gain at 1 kHz cancels its -0.691 offset), so
// in both channels, twice the power, 0.0 LUFS; at either rate. The weighting
// lifts 10 kHz by its shelf and all but mutes 20 Hz. Silence and pauses more
// than 10 LU down do not pull the whole down; the loudest block is the tone.
TEST(LoudnessMeter, ReadsKnownSinesAndGatesSilenceAndPauses) {
    for (int rate : {44100, 48000}) {
        EXPECT_NEAR(SineLoudness(rate, 1000.0, false), -3.01, 0.05) << rate;
        EXPECT_NEAR(SineLoudness(rate, 1000.0, true), 0.0, 0.05) << rate;
        EXPECT_NEAR(SineLoudness(rate, 10000.0, true), 3.3, 0.4) << rate;
        EXPECT_LT(SineLoudness(rate, 20.0, true), -10.0) << rate;
    }
    LoudnessMeter meter(44100, 2);
    EXPECT_EQ(meter.Integrated(), kSilentLoudness);
    AddSine(meter, 44100, 1000.0, 0.1, 3.0);  // -20 dBFS
    AddSine(meter, 44100, 1000.0, 0.0, 3.0);
    EXPECT_NEAR(meter.Integrated(), -20.0, 0.3);
    AddSine(meter, 44100, 1000.0, 0.01, 3.0);  // -40 dBFS: a pause
    EXPECT_NEAR(meter.Integrated(), -20.0, 0.3);
    EXPECT_NEAR(meter.MaxMomentary(), -20.0, 0.05);
}
