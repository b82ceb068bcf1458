#include "platform/ErrorBox.h"
#include "platform/Sound.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <SDL.h>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
const long kBytesPerSecond = 44100 * 4;
// The buffer being mixed when a stop lands may still carry sound; anything
// after a few buffers must be silence.
const long kStopMargin = 8 * 512 * 4;
const char* const kMusic = "music\\DH3- Overture.mid";

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
    // Waits until the mixer has written `bytes` more and returns the new size.
    long WaitFor(long bytes) const {
        long target = Written() + bytes;
        for (int tries = 0; tries < 2000 && Written() < target; ++tries)
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
    // A loud effect of the game's data, 1.1 s long.
    const char* tone_ = "sound/ZombieDeath.wav";
};
}

TEST_F(DiskAudio, WavAndMidiAreHeardAndStopReleaseOrTheNextTuneSilenceThem) {
    Sound effect(tone_, true);
    ASSERT_TRUE(effect.Loaded());
    effect.Play();
    EXPECT_GT(PeakWhilePlaying(kBytesPerSecond / 4), 5000);
    effect.Stop();
    EXPECT_EQ(PeakAfterStop(), 0);
    EXPECT_FALSE(effect.Playing());
    effect.Stop();  // a second stop finds no channel
    effect.Release();

    Sound overture(kMusic, true);
    Sound lament("music\\DH3- Lament.mid", true);
    ASSERT_TRUE(overture.Loaded() && lament.Loaded());
    overture.Play();
    EXPECT_GT(PeakWhilePlaying(kBytesPerSecond), 1000);
    overture.Stop();
    EXPECT_EQ(PeakAfterStop(), 0);
    // A second tune replaces the first, whose channel is then dead.
    overture.Play();
    lament.Play();
    EXPECT_FALSE(overture.Playing());
    EXPECT_TRUE(lament.Playing());
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

// The lament is 34.4 s long; 50 s of output take it once round its loop,
// and no run of silence after its first sound may last 20 ms.
TEST_F(DiskAudio, LoopingMusicComesRoundWithLessThan20MsOfSilence) {
    Sound music("music\\DH3- Lament.mid", true);
    music.Play();
    long written = WaitFor(50 * kBytesPerSecond);
    music.Release();
    ASSERT_GE(written, 50 * kBytesPerSecond);
    long longest = 0, run = 0;
    bool started = false;
    std::vector<int16_t> samples = Samples(0, written);
    for (size_t i = 0; i + 1 < samples.size(); i += 2) {
        bool silent = std::abs(int(samples[i])) <= 32 && std::abs(int(samples[i + 1])) <= 32;
        started = started || !silent;
        run = silent && started ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    EXPECT_LT(longest, 44100 / 50);
}

TEST_F(DiskAudio, FailedLoadReportsOnceAndPlaysNothing) {
    int errors = ErrorCount();
    Sound missing("sound\\no such sound.wav", false);
    EXPECT_EQ(ErrorCount(), errors + 1);
    EXPECT_FALSE(missing.Loaded());
    missing.Play();
    EXPECT_FALSE(missing.Playing());
    EXPECT_EQ(PeakAfterStop(), 0);
    missing.Stop();
    missing.Release();
    EXPECT_EQ(ErrorCount(), errors + 1);
    EXPECT_EQ(LiveSoundCount(), 0);
}

TEST_F(DiskAudio, TwoPlaysPlayOnAndStopReachesTheSecond) {
    Audio::Sound* sound = nullptr;
    ASSERT_EQ(TheSoundSystem()->createSound(tone_, Audio::Hardware, nullptr, &sound),
              Audio::Ok);
    sound->setMode(Audio::LoopNormal);
    Audio::Channel *first = nullptr, *second = nullptr;
    TheSoundSystem()->playSound(Audio::ChannelFree, sound, false, &first);
    TheSoundSystem()->playSound(Audio::ChannelFree, sound, false, &second);
    ASSERT_NE(first, second);
    EXPECT_EQ(second->stop(), Audio::Ok);
    EXPECT_TRUE(first->isPlaying());
    EXPECT_EQ(second->stop(), Audio::ErrInvalid);
    // The stopped slot goes to the next play; the old channel must not stop it.
    Audio::Channel* third = nullptr;
    TheSoundSystem()->playSound(Audio::ChannelFree, sound, false, &third);
    EXPECT_EQ(first->stop(), Audio::Ok);
    EXPECT_TRUE(third->isPlaying());
    sound->release();
    EXPECT_EQ(PeakAfterStop(), 0);
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

TEST(SoundDevice, WithoutADeviceTheGameRunsSilentlyWithOneStatusLine) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    TempDir dir;
    RunResult run = RunGame({"--fast", "--steps", "60", "--trace", dir / "t.jsonl"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    size_t first = run.output.find("No audio device");
    ASSERT_NE(first, std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("No audio device", first + 1), std::string::npos);
    EXPECT_EQ(run.output.find("Unable to load sound"), std::string::npos) << run.output;
    EXPECT_EQ(JsonField(ReadLines(dir / "t.jsonl").back(), "sounds"), "0");
}
