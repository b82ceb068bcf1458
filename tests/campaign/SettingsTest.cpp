#include "campaign/OptionsPage.h"
#include "campaign/Settings.h"
#include "campaign/SettingsEffects.h"
#include "platform/Input.h"
#include "support/GlWindow.h"
#include <gtest/gtest.h>

TEST(Settings, KnownKeysAreReadBadValuesRefusedOneLineEachAndEveryOtherLineWrittenBackAsItWas) {
    Settings settings;
    std::vector<std::string> problems;
    settings.Read(
        "# mine\r\nmusic_volume=4\r\n  key_jump = space  \neffects_volume = 11\noutlines = off\n"
        "window_size = fit\nconsole = maybe\nnonsense\n\nfullscreen = on",
        problems);
    EXPECT_EQ(settings.values.musicVolume, 4);
    EXPECT_EQ(settings.values.effectsVolume, 10);
    EXPECT_EQ(settings.values.windowSize, SettingValues::kFitWindow);
    EXPECT_FALSE(settings.values.outlines);
    EXPECT_TRUE(settings.values.console);
    EXPECT_TRUE(settings.values.fullscreen);
    EXPECT_EQ(problems, (std::vector<std::string>{"line 4: effects_volume = 11 is not 0 to 10; it stays 10",
                                                  "line 7: console = maybe is not on or off; it stays on",
                                                  "line 8: no \"key = value\", kept as it is"}));
    settings.values.effectsVolume = 0;
    EXPECT_EQ(settings.Text(),
              "# mine\nmusic_volume = 4\n  key_jump = space  \neffects_volume = 0\noutlines = off\n"
              "window_size = fit\nconsole = on\nnonsense\n\nfullscreen = on\n");
}

TEST(Settings, ANewFileNamesEveryKeyAndIsKeptWholeOnDiskWhileABadOneIsNeverWrittenOver) {
    TempDir dir;
    const std::string path = dir / "made/by/game/settings";
    Settings settings;
    settings.values.windowSize = 1;
    std::string error;
    ASSERT_TRUE(WriteSettingsFile(path, settings, error)) << error;
    const std::string text = ReadTextFile(path);
    EXPECT_EQ(text.substr(0, 20), "# Duskhold settings,");
    for (const SettingKey& key : SettingKeys()) {
        const std::string family = std::string(key.name).substr(0, std::string(key.name).find('.'));
        EXPECT_NE(text.find("\n# " + (family == key.name ? family : family + ".ACTION") + ": "), std::string::npos);
    }
    EXPECT_NE(text.find("\n# ACTION: left, right, up, down, jump, whip, pause, confirm, back\n"), std::string::npos);
    Settings read;
    std::vector<std::string> problems;
    EXPECT_EQ(ReadSettingsFile(path, read, problems), SettingsFile::Read);
    EXPECT_EQ(read.Text(), text);
    EXPECT_EQ(ReadSettingsFile(dir / "none", read, problems), SettingsFile::Missing);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(ReadSettingsFile(dir / "made", read, problems), SettingsFile::Unreadable);
    EXPECT_EQ(problems.size(), 1u);
}

namespace {
int32_t OptionRowOf(const std::string& label) {
    for (size_t row = 0; row < OptionRows().size(); ++row)
        if (OptionRows()[row].label == label) return int32_t(row);
    return -1;
}
}

// Volumes stop at their ends when held and A leaves them; the window size
// comes round on A; a switch flips either way. The rows show the values.
TEST(OptionsPage, HeldArrowsRepeatAsInTheMenuAndStopAtTheEndsAPressStepsRoundBLeaves) {
    OptionsPage page;
    SettingValues values;
    page.Reset(values);
    int changes = 0;
    for (int step = 0; step < 30; ++step) changes += page.Update(Right, values).changed >= 0;
    for (int step = 0; step < 30; ++step) changes += page.Update(Left, values).changed >= 0;
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(values.musicVolume, 7);
    EXPECT_EQ(page.list.rows[0].value, "7");
    EXPECT_EQ(page.list.rows[0].meter, 7);
    page.Reset(values);
    EXPECT_EQ(page.Update(ButtonA, values).changed, -1);
    page.Reset(values);
    page.list.cursor = OptionRowOf("WINDOW SIZE");
    values.windowSize = SettingValues::kFitWindow;
    EXPECT_EQ(page.Update(ButtonA, values).changed, page.list.cursor);
    EXPECT_EQ(values.windowSize, 1);
    EXPECT_EQ(page.list.rows[size_t(page.list.cursor)].value, "1X");
    for (int step = 0; step < 14; ++step) EXPECT_FALSE(page.Update(ButtonB, values).leave);
    EXPECT_TRUE(page.Update(ButtonB, values).leave);
    EXPECT_EQ(WindowModeFor(values, 1366, 768).width, 320);
    values.windowSize = SettingValues::kLargestScale;
    page.list.pacer.delay = 0;
    page.Update(ButtonA, values);
    EXPECT_EQ(page.list.rows[size_t(page.list.cursor)].value, "FIT");
    EXPECT_EQ(WindowModeFor(values, 1366, 768).height, 720);
    page.Reset(values);
    page.list.cursor = OptionRowOf("FULLSCREEN");
    EXPECT_EQ(page.Update(Left, values).changed, page.list.cursor);
    EXPECT_EQ(WindowModeFor(values, 1366, 768).width, 1366);
    page.list.cursor = int32_t(OptionRows().size());
    page.list.pacer.delay = 0;
    EXPECT_TRUE(page.Update(ButtonA, values).leave);
}
