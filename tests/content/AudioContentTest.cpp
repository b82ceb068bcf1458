#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <cmath>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>

namespace {
struct MidiEvent {
    int tick;
    std::vector<uint8_t> bytes;  // status and data, or FF type and data for meta events
};
using MidiTrackEvents = std::vector<MidiEvent>;

struct MidiFile {
    int format = -1, division = 0;
    std::vector<MidiTrackEvents> tracks;
};

uint32_t BigEndian(const std::string& bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = value << 8 | uint8_t(bytes.at(at + size_t(i)));
    return value;
}

// A small reader of what our writer produces: running status is not used.
MidiFile ReadMidi(const std::string& bytes) {
    MidiFile midi;
    if (bytes.size() < 14 || bytes.compare(0, 4, "MThd") != 0) return midi;
    midi.format = int(BigEndian(bytes, 8, 2));
    midi.division = int(BigEndian(bytes, 12, 2));
    for (size_t at = 14; at + 8 <= bytes.size(); at += 8 + BigEndian(bytes, at + 4, 4)) {
        MidiTrackEvents& track = midi.tracks.emplace_back();
        int tick = 0;
        for (size_t i = at + 8; i < at + 8 + BigEndian(bytes, at + 4, 4);) {
            uint32_t delta = 0;
            uint8_t byte;
            do {
                byte = uint8_t(bytes.at(i++));
                delta = delta << 7 | (byte & 0x7F);
            } while (byte & 0x80);
            tick += int(delta);
            uint8_t status = uint8_t(bytes.at(i));
            size_t length = status == 0xFF ? 3 + size_t(uint8_t(bytes.at(i + 2))) : (status & 0xF0) == 0xC0 ? 2 : 3;
            track.push_back({tick, std::vector<uint8_t>(bytes.begin() + long(i), bytes.begin() + long(i + length))});
            i += length;
        }
    }
    return midi;
}

std::vector<int16_t> WavSamples(const std::string& bytes, int& rate) {
    rate = bytes.size() >= 44 ? int(uint8_t(bytes[24]) | uint8_t(bytes[25]) << 8) : 0;
    std::vector<int16_t> samples(bytes.size() >= 44 ? (bytes.size() - 44) / 2 : 0);
    if (!samples.empty()) memcpy(samples.data(), bytes.data() + 44, samples.size() * 2);
    return samples;
}

// Writes one recipe into a fresh content folder and runs the tool on it.
RunResult BuildRecipe(const TempDir& temp, const std::string& folder, const std::string& text, std::string& outDir) {
    const std::string& dir = temp.path;
    mkdir((dir + "/content").c_str(), 0755);
    mkdir((dir + "/content/" + folder).c_str(), 0755);
    std::ofstream(dir + "/content/" + folder + "/recipe.txt") << text;
    outDir = dir + "/out";
    return RunProgram(ToolPath("content"), {dir + "/content", outDir, folder});
}

// The bytes of one file built from a recipe that must build.
std::string BuiltFile(const std::string& folder, const std::string& recipe, const std::string& file) {
    TempDir temp;
    std::string out;
    RunResult run = BuildRecipe(temp, folder, recipe, out);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    return ReadTextFile(out + "/" + file);
}

int ZeroCrossings(const std::vector<int16_t>& samples, size_t from, size_t to) {
    int count = 0;
    for (size_t i = from + 1; i < to; ++i) count += (samples[i - 1] < 0) != (samples[i] < 0);
    return count;
}

const char* const kMusic[] = {"Overture",   "Lament",    "Game Over", "Outset",
                              "Gearwheel4", "Wildwood",  "Lowpulse",  "Unease",
                              "Gloomdream", "Emberseed", "Echoes2",   "Enigma", "Stage Clear"};
const char* const kSounds[] = {"ZombieDeath", "whipleather", "whip2",  "whip3",
                               "gethit6",     "gethit5",     "dying2", "fallcrouch"};
}

TEST(MusicRecipe, NotesBecomeTheExactEventsAndTheLoopEndsOnTheLastTick) {
    MidiFile midi = ReadMidi(BuiltFile("music",
                                       "file music\\T t.mid\ntempo 120\nmeter 2/4\n"
                                       "track Lead  # the only track\nchannel 2\nprogram 19\nv100\n"
                                       "C4/4 r/4 | [ D4/2 ]x2 E4/4\n",
                                       "music/T t.mid"));
    EXPECT_EQ(midi.format, 1);
    EXPECT_EQ(midi.division, 96);
    ASSERT_EQ(midi.tracks.size(), 2u);
    const MidiTrackEvents& conductor = midi.tracks[0];
    ASSERT_GE(conductor.size(), 3u);
    EXPECT_EQ(conductor[1].bytes,
              (std::vector<uint8_t>{0xFF, 0x51, 3, 0x07, 0xA1, 0x20}));  // 500000 us
    EXPECT_EQ(conductor[2].bytes, (std::vector<uint8_t>{0xFF, 0x58, 4, 2, 2, 24, 8}));
    std::vector<std::pair<int, std::vector<uint8_t>>> notes;
    for (const MidiEvent& event : midi.tracks[1])
        if ((event.bytes[0] & 0xE0) == 0x80) notes.push_back({event.tick, event.bytes});
    std::vector<std::pair<int, std::vector<uint8_t>>> expected = {
        {0, {0x92, 60, 100}},   {96, {0x82, 60, 64}},   {192, {0x92, 62, 100}},
        {240, {0x82, 62, 64}},  {240, {0x92, 62, 100}}, {288, {0x82, 62, 64}},
        {288, {0x92, 64, 100}}, {384, {0x82, 64, 64}}};
    EXPECT_EQ(notes, expected);
    const MidiTrackEvents& lead = midi.tracks[1];
    ASSERT_GE(lead.size(), 2u);
    EXPECT_EQ(lead[lead.size() - 2].tick, 384);  // the controller that holds the loop's length
    EXPECT_EQ(lead.back().tick, 384);
    EXPECT_EQ(lead.back().bytes, (std::vector<uint8_t>{0xFF, 0x2F, 0}));
}

TEST(MusicRecipe, FaultyRecipesAreRefusedWithTheLineToLookAt) {
    const std::pair<const char*, const char*> cases[] = {
        {"file music\\x.mid\ntrack A\nC4/16\ntrack B\nC4/8\n", "B is 8 sixteenths long"},
        {"file music\\x.mid\ntrack A\nC4/12\n", "whole number of bars"},
        {"file music\\x.mid\ntrack A\nH4/16\n", "line 3: bad note 'H4/16'"},
        {"file music\\x.mid\ntrack A\n[ C4/16\n", "'[' without ']'"},
        {"file music\\x.mid\ntrack A\nC4/16 ]x0\n", "line 3:"},
        {"file music\\x.mid\ntrack A\nprogram 128\nC4/16\n", "line 3: bad program"},
        {"track A\nC4/16\n", "no 'file' line"},
        {"file music\\x.mid\ntempo 10\n", "line 2: bad tempo"},
    };
    for (const auto& [recipe, message] : cases) {
        TempDir temp;
        std::string out;
        RunResult run = BuildRecipe(temp, "music", recipe, out);
        EXPECT_EQ(run.exitCode, 1) << recipe;
        EXPECT_NE(run.output.find(message), std::string::npos) << recipe << "\n" << run.output;
    }
}

TEST(SoundRecipe, LayersRenderToneSweepAndSilence) {
    std::string bytes =
        BuiltFile("sound",
                  "file sound\\t.wav\nlength 0.3\n"
                  "layer wave=sine length=0.1 freq=441 vol=0.5\n"
                  "layer wave=square start=0.15 length=0.1 freq=200>3200 vol=0.4 release=0.01\n",
                  "sound/t.wav");
    ASSERT_GE(bytes.size(), 44u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
    int rate = 0;
    std::vector<int16_t> samples = WavSamples(bytes, rate);
    EXPECT_EQ(rate, 22050);
    ASSERT_EQ(samples.size(), 6615u);
    int peak = 0;
    for (size_t i = 0; i < 2205; ++i) peak = std::max(peak, std::abs(int(samples[i])));
    EXPECT_NEAR(peak, std::tanh(0.5) * 32000, 50);
    EXPECT_NEAR(ZeroCrossings(samples, 0, 2205), 88, 2);  // 441 Hz for 0.1 s
    for (size_t i = 2205; i < 3307; ++i) ASSERT_EQ(samples[i], 0) << i;
    // The sweep rises: the second half of the layer crosses far more often.
    EXPECT_GT(ZeroCrossings(samples, 4410, 5512), 3 * ZeroCrossings(samples, 3307, 4410));
    EXPECT_EQ(samples.back(), 0);

    TempDir temp;
    std::string out;
    RunResult bad = BuildRecipe(temp, "sound", "file sound\\t.wav\nlength 0.3\nlayer wave=sine loud=2\n", out);
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.output.find("line 3: bad layer setting 'loud=2'"), std::string::npos)
        << bad.output;
}

TEST(AudioContent, EveryTuneAndSoundIsBuiltDistinctAndLoopsWhole) {
    std::set<std::string> seen;
    for (const char* name : kMusic) {
        std::string bytes = ReadTextFile(BuiltDataDir() + "/music/DH3- " + name + ".mid");
        MidiFile midi = ReadMidi(bytes);
        ASSERT_EQ(midi.format, 1) << name;
        ASSERT_GE(midi.tracks.size(), 4u) << name;
        for (const MidiTrackEvents& track : midi.tracks)
            EXPECT_EQ(track.back().tick, midi.tracks[0].back().tick) << name;
        EXPECT_TRUE(seen.insert(bytes).second) << name << " is a copy";
    }
    for (const char* name : kSounds) {
        int rate = 0;
        std::vector<int16_t> samples =
            WavSamples(ReadTextFile(BuiltDataDir() + "/sound/" + name + ".wav"), rate);
        EXPECT_EQ(rate, 22050) << name;
        int peak = 0;
        for (int16_t sample : samples) peak = std::max(peak, std::abs(int(sample)));
        EXPECT_GT(peak, 10000) << name;
        EXPECT_TRUE(seen.insert(std::string(samples.begin(), samples.end())).second)
            << name << " is a copy";
    }
}
