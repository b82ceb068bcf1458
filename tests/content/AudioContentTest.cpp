// The tunes and sounds the content tool makes for the game's data folder.
#include "core/StepPacer.h"
#include "screens/State_Game.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <cstring>
#include <gtest/gtest.h>
#include <set>

namespace {
uint32_t BigEndian(const std::string& bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = value << 8 | uint8_t(bytes.at(at + size_t(i)));
    return value;
}

// The tick of each track's last event, read the way our writer writes the
// file (no running status); empty when the header is not a type 1 file.
std::vector<int> TrackEndTicks(const std::string& bytes) {
    std::vector<int> ends;
    if (bytes.size() < 14 || bytes.compare(0, 4, "MThd") != 0 || BigEndian(bytes, 8, 2) != 1) return ends;
    for (size_t at = 14; at + 8 <= bytes.size(); at += 8 + BigEndian(bytes, at + 4, 4)) {
        int tick = 0;
        for (size_t i = at + 8; i < at + 8 + BigEndian(bytes, at + 4, 4);) {
            uint8_t byte;
            uint32_t delta = 0;
            do delta = delta << 7 | ((byte = uint8_t(bytes.at(i++))) & 0x7F);
            while (byte & 0x80);
            tick += int(delta);
            uint8_t status = uint8_t(bytes.at(i));
            i += status == 0xFF ? 3 + size_t(uint8_t(bytes.at(i + 2))) : (status & 0xF0) == 0xC0 ? 2 : 3;
        }
        ends.push_back(tick);
    }
    return ends;
}

// Seconds the file lasts: its end tick at the tempo its conductor track sets.
double FileSeconds(const std::string& bytes, int endTick) {
    size_t tempo = bytes.find("\xFF\x51\x03");
    return tempo == std::string::npos ? 0.0 : endTick / 96.0 * BigEndian(bytes, tempo + 3, 3) / 1e6;
}

const char* const kMusic[] = {"Overture", "Lament",     "Game Over", "Outset",  "Gearwheel4", "Wildwood",   "Lowpulse",
                              "Unease",   "Gloomdream", "Emberseed", "Echoes2", "Enigma",     "Stage Clear"};
const char* const kSounds[] = {"ZombieDeath", "whipleather", "whip2",    "whip3", "gethit6",  "gethit5",
                               "dying2",      "fallcrouch",  "enemyhit", "clank", "bonethrow"};
}

// Each tune's tracks end on the same tick so that the loop stays in step; a
// looping tune's file lasts over five minutes (the mixer's restart silence
// comes once a file); the game over ends before its screen leaves (15.4 s)
// and the stage clear before its banner;
// no tune or sound is a copy of another or silent.
TEST(AudioContent, EveryTuneAndSoundIsBuiltDistinctAndLoopsWhole) {
    std::set<std::string> seen;
    for (const char* name : kMusic) {
        std::string bytes = ReadTextFile(BuiltDataDir() + "/music/DH3- " + name + ".mid");
        std::vector<int> ends = TrackEndTicks(bytes);
        ASSERT_GE(ends.size(), 4u) << name;
        EXPECT_EQ(std::set<int>(ends.begin(), ends.end()).size(), 1u) << name;
        double seconds = FileSeconds(bytes, ends[0]);
        if (std::string(name) == "Game Over") {
            EXPECT_LT(seconds, 14.0);
        } else if (std::string(name) == "Stage Clear") {
            EXPECT_LE(seconds * 1000.0, State_Game::kClearBannerSteps * StepPacer::kStepMs);
        } else {
            EXPECT_GT(seconds, 300.0) << name;
        }
        EXPECT_TRUE(seen.insert(bytes).second) << name << " is a copy";
    }
    for (const char* name : kSounds) {
        std::string bytes = ReadTextFile(BuiltDataDir() + "/sound/" + name + ".wav");
        ASSERT_GE(bytes.size(), 44u) << name;
        EXPECT_EQ(uint8_t(bytes[24]) | uint8_t(bytes[25]) << 8, 22050) << name;
        std::vector<int16_t> samples((bytes.size() - 44) / 2);
        memcpy(samples.data(), bytes.data() + 44, samples.size() * 2);
        int peak = 0;
        for (int16_t sample : samples) peak = std::max(peak, std::abs(int(sample)));
        EXPECT_GT(peak, 1000) << name;
        EXPECT_TRUE(seen.insert(bytes.substr(44)).second) << name << " is a copy";
    }
}
