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
#include <filesystem>
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

uint32_t BigEndian(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = at; i < at + 4; ++i) value = value << 8 | uint8_t(bytes.at(i));
    return value;
}

// A copy of a tune (as our content tool writes it: the conductor track
// first) that rushes through its first `skipTicks` at a microsecond a
// quarter note and plays on at its own tempo: a pass turn without the pass.
std::string TuneFrom(const std::string& tune, uint32_t skipTicks) {
    std::string events("\x00\xFF\x51\x03\x00\x00\x01", 7);
    for (int shift = 21; shift > 0; shift -= 7) events += char(0x80 | (skipTicks >> shift & 0x7F));
    events += char(skipTicks & 0x7F);
    events += "\xFF\x51\x03" + tune.substr(tune.find("\xFF\x51\x03") + 3, 3) + std::string("\x00\xFF\x2F\x00", 4);
    std::string length;
    for (int shift = 24; shift >= 0; shift -= 8) length += char(events.size() >> shift & 0xFF);
    return tune.substr(0, 14) + "MTrk" + length + events + tune.substr(22 + BigEndian(tune, 18));
}

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
// first 8 s), and the effects sit within 3 LU of each other. The volumes of
// OPTIONS scale both as the mixer writes them.
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
    // A quarter of the gain (volume step 5 of 10) is 12 dB down.
    const double overture = tune("Overture");
    SetVolumes(0.25f, 0.25f);
    EXPECT_NEAR(Heard("sound\\ZombieDeath.wav", false, 1.7).MaxMomentary(), effects["ZombieDeath"] - 12.04, 0.5);
    EXPECT_NEAR(tune("Overture"), overture - 12.04, 0.5);
    SetVolumes(1.0f, 1.0f);
}

// Around the first pass turn of each looping tune the sound goes on: no
// digital silence, no 400 ms under -30 LUFS, the 2 s about the tune's -16
// LUFS. The file's own end, where the mixer leaves a buffer of silence
// before it starts again, is reached from under -41 dBFS.
TEST_F(DiskAudio, TunesTurnFromPassToPassWithoutAPauseAndEndTheirFileInNearSilence) {
    for (const auto& recipe :
         std::filesystem::directory_iterator(std::string(DUSKHOLD_SOURCE_DIR) + "/content/music")) {
        std::string text = ReadTextFile(recipe.path()), name = text.substr(text.find("file music\\") + 11);
        size_t passes =
            text.find("\npasses ") == std::string::npos ? 1 : std::stoul(text.substr(text.find("\npasses ") + 8));
        if (passes == 1 || recipe.path().extension() != ".txt") continue;
        std::string tune = ReadTextFile(BuiltDataDir() + "/music/" + name.substr(0, name.find('\n')));
        size_t end = tune.find("\xFF\x2F\x00"), start = end - 1;  // the conductor ends on the file's last tick
        while (uint8_t(tune[start - 1]) & 0x80) --start;
        uint32_t endTick = 0, rush = uint32_t(6 * 96e6 / (BigEndian(tune, tune.find("\xFF\x51\x03") + 2) & 0xFFFFFF));
        for (size_t at = start; at < end; ++at) endTick = endTick << 7 | (uint8_t(tune[at]) & 0x7F);
        for (uint32_t turn : {endTick / uint32_t(passes), endTick}) {
            std::ofstream(dir_ / "turn.mid", std::ios::binary) << TuneFrom(tune, turn - rush);
            std::vector<int16_t> samples = Played(dir_ / "turn.mid", true, 8.0);
            if (turn == endTick) {  // where the mixer starts the file again: one buffer of silence
                auto hole = std::search_n(samples.begin() + 441000, samples.end(), 1000, 0);
                ASSERT_NE(hole, samples.end()) << recipe.path();
                auto [low, high] = std::minmax_element(hole - 882, hole);
                EXPECT_LT(std::max(-*low, int(*high)), 293) << recipe.path();
                continue;
            }
            LoudnessMeter around = Metered(samples, 441000, 617400);
            std::vector<double> blocks = around.Momentary();
            EXPECT_GT(*std::min_element(blocks.begin(), blocks.end()), -30.0) << recipe.path();
            EXPECT_NEAR(around.Integrated(), -16.0, 5.0) << recipe.path();
            EXPECT_TRUE(std::search_n(samples.begin() + 441000, samples.begin() + 617400, 88, 0) ==
                        samples.begin() + 617400)
                << "digital silence at the turn of " << recipe.path();
        }
    }
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

// duskhold-listen hears each file from its first frame: the same figures on
// every run and for every play of a file. SECONDS that are no number of
// seconds it can hold, or a FIFO to play, end it at once.
TEST(ListenTool, SameFiguresEveryRunAndBadSecondsOrAFifoEndItAtOnce) {
    const std::string gem = BuiltDataDir() + "/sound/gem.wav", whip = BuiltDataDir() + "/sound/whip2.wav";
    RunResult first = RunProgram(ToolPath("listen"), {"1", gem, whip, gem});
    ASSERT_EQ(first.exitCode, 0) << first.output;
    EXPECT_EQ(RunProgram(ToolPath("listen"), {"1", gem, whip, gem}).output, first.output);
    const size_t at = first.output.find(gem + ": ");
    const std::string heard = first.output.substr(at, first.output.find('\n', at) - at);
    EXPECT_NE(heard.find("sound from 0.000 s"), std::string::npos) << heard;
    EXPECT_NE(first.output.find(heard, at + 1), std::string::npos) << first.output;
    for (const char* seconds : {"nan", "1e20", "inf", "0", "2x"})
        EXPECT_EQ(RunProgram(ToolPath("listen"), {seconds, gem}).exitCode, 2) << seconds;
    TempDir dir;
    ASSERT_EQ(mkfifo((dir / "fifo.wav").c_str(), 0644), 0);
    RunResult fifo = RunProgram(ToolPath("listen"), {"1", dir / "fifo.wav"});
    EXPECT_EQ(fifo.exitCode, 1);
    EXPECT_NE(fifo.output.find("it is not a regular file"), std::string::npos) << fifo.output;
}
