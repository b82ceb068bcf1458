#include "loudness/Loudness.h"
#include "platform/ErrorBox.h"
#include "platform/Sound.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
const long kBytesPerSecond = 44100 * 4;
// The buffer being mixed when a stop lands may still carry sound; anything
// after a few buffers must be silence.
const long kStopMargin = 8 * 512 * 4;

// The disk driver writes the mixed output to a file as fast as it can; each
// test runs in its own process with its own file.
class DiskAudio : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "0", 1);
        setenv("DUSKHOLD_NO_DIALOG", "1", 1);
        ASSERT_EQ(chdir(BuiltDataDir().c_str()), 0);
        InitSoundSystem();
        ASSERT_TRUE(SoundEnabled());
    }
    void TearDown() override {
        if (TheSoundSystem()) TheSoundSystem()->close();
    }

    long Written() const {
        struct stat info;
        return stat(output_.c_str(), &info) == 0 ? long(info.st_size) : 0;
    }
    // Waits until the mixer has written `bytes` more, or until `playing`
    // has ended, and returns the new size.
    long WaitFor(long bytes, const Sound* playing = nullptr) const {
        long target = Written() + bytes;
        for (int tries = 0; tries < 2000 && Written() < target && (!playing || playing->Playing()); ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return Written();
    }
    // The samples written in [from, to) of the output file.
    std::vector<int16_t> Samples(long from, long to) const {
        std::ifstream in(output_, std::ios::binary);
        in.seekg(from & ~3L);
        std::vector<int16_t> samples(size_t(std::max(0L, to - from) / 2));
        in.read(reinterpret_cast<char*>(samples.data()), std::streamsize(samples.size() * 2));
        return samples;
    }
    int Peak(long from, long to) const {
        int peak = 0;
        for (int16_t sample : Samples(from, to)) peak = std::max(peak, std::abs(int(sample)));
        return peak;
    }
    // Plays `path` for `seconds` (or until it ends): what the mixer wrote.
    std::vector<int16_t> Played(const std::string& path, bool loop, double seconds) const {
        Sound sound(path.c_str(), loop);
        long start = Written();
        sound.Play();
        WaitFor(long(seconds * kBytesPerSecond), &sound);
        // A sound that ended early: what the mixer wrote as it ended reaches the file.
        std::vector<int16_t> samples = Samples(start, WaitFor(kStopMargin));
        sound.Release();
        return samples;
    }
    // The meter of samples [from, to); fails the test if any reaches full scale.
    static LoudnessMeter Metered(const std::vector<int16_t>& samples, size_t from = 0, size_t to = SIZE_MAX) {
        std::vector<float> scaled(samples.begin() + long(from), samples.begin() + long(std::min(to, samples.size())));
        for (float& sample : scaled) {
            EXPECT_LT(std::abs(sample), 32767.0f) << "clips";
            sample /= 32768.0f;
        }
        LoudnessMeter meter(44100, 2);
        meter.Add(scaled.data(), scaled.size() / 2);
        return meter;
    }
    LoudnessMeter Heard(const std::string& path, bool loop, double seconds) const {
        return Metered(Played(path, loop, seconds));
    }
    // Plays a while, returning the peak of what was written meanwhile.
    int PeakWhilePlaying(long bytes) const {
        long start = Written();
        return Peak(start, WaitFor(bytes));
    }
    int PeakAfterStop() const {
        long stopped = Written();
        WaitFor(kStopMargin + kBytesPerSecond / 4);
        return Peak(stopped + kStopMargin, Written());
    }

    TempDir dir_;
    std::string output_ = dir_ / "out.raw";
    // An effect of the game's data, 1.1 s long.
    const char* tone_ = "sound/ZombieDeath.wav";
};
}

TEST_F(DiskAudio, WavAndMidiAreHeardAndStopReleaseOrTheNextTuneSilenceThem) {
    Sound effect(tone_, true);
    ASSERT_TRUE(effect.Loaded());
    effect.Play();
    EXPECT_GT(PeakWhilePlaying(kBytesPerSecond / 4), 2000);
    effect.Stop();
    EXPECT_EQ(PeakAfterStop(), 0);
    EXPECT_FALSE(effect.Playing());
    effect.Release();
    effect.Release();  // a second release does nothing
    {
        Sound dropped(tone_, false);
        EXPECT_EQ(LiveSoundCount(), 1);
    }
    EXPECT_EQ(LiveSoundCount(), 0);  // a sound lets go of its file when destroyed

    Sound overture("music\\DH3- Overture.mid", true);
    Sound lament("music\\DH3- Lament.mid", true);
    ASSERT_TRUE(overture.Loaded() && lament.Loaded());
    // A second tune replaces the first, whose channel is then dead.
    overture.Play();
    lament.Play();
    EXPECT_FALSE(overture.Playing());
    overture.Stop();
    overture.Release();
    EXPECT_TRUE(lament.Playing());
    EXPECT_GT(PeakWhilePlaying(kBytesPerSecond), 1000);
    EXPECT_EQ(LiveSoundCount(), 1);
    // Releasing looping music stops it; a released sound plays nothing.
    lament.Release();
    EXPECT_EQ(LiveSoundCount(), 0);
    EXPECT_EQ(PeakAfterStop(), 0);
    lament.Play();
    EXPECT_EQ(PeakAfterStop(), 0);
}

// Each effect's loudest 400 ms is at least as loud as the loudest moment of
// the tune of every screen where it plays (the title's press over the title
// tune, the effects of play over each stage's tune; a tune counts over its
// first 8 s), and the effects sit within 3 LU of each other.
TEST_F(DiskAudio, EffectsSitOverTheirScreensMusicAndTogetherAndNothingClips) {
    auto tune = [&](const std::string& name) {
        return Heard("music\\DH3- " + name + ".mid", true, 8.0).MaxMomentary();
    };
    std::map<std::string, double> effects;
    for (const char* effect : {"ZombieDeath", "whipleather", "whip2", "whip3", "gethit6", "gethit5", "dying2",
                               "fallcrouch", "enemyhit", "clank", "bonethrow", "crumble", "gem", "pickup", "lantern"})
        effects[effect] = Heard("sound\\" + std::string(effect) + ".wav", false, 1.7).MaxMomentary();
    EXPECT_GE(effects["ZombieDeath"], tune("Overture"));
    auto [quietest, loudest] = std::minmax_element(effects.begin(), effects.end(),
                                                   [](const auto& a, const auto& b) { return a.second < b.second; });
    EXPECT_LE(loudest->second - quietest->second, 3.0) << quietest->first << " against " << loudest->first;
    for (const char* stage :
         {"Outset", "Gearwheel4", "Wildwood", "Lowpulse", "Unease", "Gloomdream", "Emberseed", "Echoes2", "Enigma"})
        EXPECT_GE(quietest->second, tune(stage)) << quietest->first << " over " << stage;
}

TEST_F(DiskAudio, FailedLoadReportsOnceAndPlaysNothing) {
    int errors = ErrorCount();
    Sound missing("sound\\no such sound.wav", false);
    EXPECT_FALSE(missing.Loaded());
    missing.Play();
    EXPECT_FALSE(missing.Playing());
    EXPECT_EQ(PeakAfterStop(), 0);
    missing.Stop();
    missing.Release();
    EXPECT_EQ(ErrorCount(), errors + 1);
    EXPECT_EQ(LiveSoundCount(), 0);
}

TEST(SoundSwitch, OffTouchesNeitherTheLibraryNorTheErrorBox) {
    setenv("DUSKHOLD_NO_DIALOG", "1", 1);
    SetSoundEnabled(false);
    int errors = ErrorCount();
    Sound sound("sound\\no such sound.wav", true);
    sound.Play();
    sound.Stop();
    sound.Release();
    EXPECT_FALSE(sound.Loaded());
    EXPECT_EQ(ErrorCount(), errors);
    EXPECT_EQ(LiveSoundCount(), 0);
    EXPECT_EQ(TheSoundSystem(), nullptr);
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
}
