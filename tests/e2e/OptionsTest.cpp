#include "PlayData.h"
#include "support/GlWindow.h"
#include <fstream>
#include <gtest/gtest.h>

namespace {
// From the title to OPTIONS, which opens on step 200.
std::vector<KeyHold> ToOptions() { return {{1, "z", 50}, {165, "down", 25}, {200, "z", 3}}; }
}

// A volume and the outlines changed on the page apply at once; the file
// keeps what the player wrote, loses the bad value (named once) and is read
// back by the next run.
TEST(Options, ChangesApplyAtOnceAreKeptInTheSettingsFileAndReadByTheNextRun) {
    TempDir dir;
    const std::string settings = dir / "settings";
    std::ofstream(settings) << "# mine\neffects_volume = 11\nkey_jump = space\n";
    std::vector<KeyHold> holds = ToOptions();
    holds.insert(holds.end(), {{210, "left", 25}, {240, "down", 35}, {285, "z", 3}, {300, "x", 3}});
    Play first = PlayMovie(BuiltDataDir(), holds, 310, {"--settings", settings});
    ASSERT_EQ(first.run.exitCode, 0) << first.run.output;
    EXPECT_EQ(Count(first.run.output, "line 2: effects_volume = 11 is not 0 to 10; it stays 10"), 1u);
    EXPECT_EQ(JsonField(StepLine(first, 200), "state"), "\"options\"");
    EXPECT_EQ(JsonField(StepLine(first, 209), "options"),
              "{\"row\":0,\"music\":10,\"effects\":10,\"mixer\":[128,128],"
              "\"fullscreen\":false,\"window\":3,\"outlines\":false,"
              "\"console\":false}");
    EXPECT_EQ(JsonField(JsonField(StepLine(first, 235), "options"), "mixer"), "[63,128]");
    EXPECT_EQ(JsonField(JsonField(StepLine(first, 290), "options"), "outlines"), "true");
    EXPECT_EQ(JsonField(StepLine(first, 300), "menu"), "{\"page\":0,\"cursor\":2,\"row\":0,\"scroll\":0}");
    const std::string kept = ReadTextFile(settings);
    for (const char* line : {"# mine\n", "effects_volume = 10\n", "key_jump = space\n", "music_volume = 7\n",
                             "outlines = on\n", "console = off\n"})
        EXPECT_NE(kept.find(line), std::string::npos) << line << " in\n" << kept;

    Play second = PlayMovie(BuiltDataDir(), ToOptions(), 205, {"--settings", settings});
    EXPECT_EQ(Count(second.run.output, "Settings "), 0u) << second.run.output;
    EXPECT_EQ(JsonField(StepLine(second, 205), "options"),
              "{\"row\":0,\"music\":7,\"effects\":10,\"mixer\":[63,128],"
              "\"fullscreen\":false,\"window\":3,\"outlines\":true,"
              "\"console\":false}");
}
