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
    // Plays `path` for `seconds` (or until it ends) and returns the RMS of what sounded in dB
    // of full scale; silence before and after the sound does not count.
    // Fails the test if any sample reaches full scale (clipping).
    double Loudness(const char* path, bool loop, double seconds) const {
        Sound sound(path, loop);
        long start = Written();
        sound.Play();
        std::vector<int16_t> samples = Samples(start, WaitFor(long(seconds * kBytesPerSecond), &sound));
        sound.Release();
        auto sounding = [](int16_t sample) { return sample != 0; };
        auto first = std::find_if(samples.begin(), samples.end(), sounding);
        auto last = std::find_if(samples.rbegin(), samples.rend(), sounding).base();
        double sum = 0.0;
        for (auto at = first; at < last; ++at) {
            EXPECT_LT(std::abs(int(*at)), 32767) << path << " clips";
            sum += double(*at) * double(*at);
        }
        return first < last ? 10.0 * std::log10(sum / double(last - first) / (32768.0 * 32768.0)) : -200.0;
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

// Each effect sounds within 6 dB of the tune of every screen where it plays:
// the title's press over the title tune, the hero's whips, hits and falls
// over each stage's tune. A tune counts over its first 8 s, quiet opening
// included. The volumes of OPTIONS scale both as the mixer writes them.
TEST_F(DiskAudio, EffectsSitWithinSixDecibelsOfTheirScreensMusicAndNothingClips) {
    auto tune = [&](const std::string& name) { return Loudness(("music\\DH3- " + name + ".mid").c_str(), true, 8.0); };
    const double tone = Loudness(tone_, false, 1.7), overture = tune("Overture");
    EXPECT_NEAR(tone, overture, 6.0);
    std::map<std::string, double> hero;
    for (const char* effect : {"whipleather", "whip2", "whip3", "gethit6", "gethit5", "dying2", "fallcrouch"})
        hero[effect] = Loudness(("sound\\" + std::string(effect) + ".wav").c_str(), false, 1.7);
    for (const char* stage :
         {"Outset", "Gearwheel4", "Wildwood", "Lowpulse", "Unease", "Gloomdream", "Emberseed", "Echoes2", "Enigma"}) {
        double music = tune(stage);
        for (const auto& [effect, loudness] : hero) EXPECT_NEAR(loudness, music, 6.0) << effect << " over " << stage;
    }
    // A quarter of the gain (volume step 5 of 10) is 12 dB down.
    SetVolumes(0.25f, 0.25f);
    EXPECT_NEAR(Loudness(tone_, false, 1.7), tone - 12.04, 0.5);
    EXPECT_NEAR(tune("Overture"), overture - 12.04, 0.5);
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
