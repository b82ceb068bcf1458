#include "campaign/OptionsPage.h"
#include "campaign/Settings.h"
#include "campaign/SettingsEffects.h"
#include "platform/Input.h"
#include "base/Log.h"
#include "platform/Files.h"
#include "support/GlWindow.h"
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(Settings, KnownKeysAreReadBadValuesRefusedOneLineEachAndEveryOtherLineWrittenBackAsItWas) {
    Settings settings;
    std::vector<std::string> problems;
    settings.Read(
        "# mine\r\nmusic_volume=4\r\n  key_jump = space  \neffects_volume = 11\noutlines = on\n"
        "window_size = fit\nconsole = maybe\nnonsense\n\nfullscreen = on",
        problems);
    EXPECT_EQ(settings.values.musicVolume, 4);
    EXPECT_EQ(settings.values.effectsVolume, 10);
    EXPECT_EQ(settings.values.windowSize, SettingValues::kFitWindow);
    EXPECT_TRUE(settings.values.outlines);
    EXPECT_FALSE(settings.values.console);
    EXPECT_TRUE(settings.values.fullscreen);
    EXPECT_EQ(problems, (std::vector<std::string>{"line 4: effects_volume = 11 is not 0 to 10; it stays 10",
                                                  "line 7: console = maybe is not on or off; it stays off",
                                                  "line 8: no \"key = value\", kept as it is"}));
    settings.values.effectsVolume = 0;
    EXPECT_EQ(settings.Text(),
              "# mine\r\nmusic_volume=4\r\n  key_jump = space  \neffects_volume = 0\noutlines = on\n"
              "window_size = fit\nconsole = off\nnonsense\n\nfullscreen = on");
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
        const bool shared = family != key.name && family != "assist";
        EXPECT_NE(text.find("\n# " + (shared ? family + ".ACTION" : std::string(key.name)) + ": "), std::string::npos);
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
    // A file of 64 KB is read; one a byte longer is no settings file.
    const std::string padding = "# " + std::string(64 * 1024 - 3, '.') + "\n";
    std::ofstream(dir / "long") << padding;
    EXPECT_EQ(ReadSettingsFile(dir / "long", read, problems), SettingsFile::Read);
    std::ofstream(dir / "long") << padding << "\n";
    EXPECT_EQ(ReadSettingsFile(dir / "long", read, problems), SettingsFile::Unreadable);
    EXPECT_NE(problems.back().find("65537 bytes"), std::string::npos) << problems.back();
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
    EXPECT_TRUE(page.Update(ButtonA, values).opensAssist);
    page.list.cursor += 1;
    page.list.pacer.delay = 0;
    EXPECT_TRUE(page.Update(ButtonA, values).leave);
}

// The assists: the speed read as the nearest of its tens, a bad value
// named and left as it was; on the ASSIST page Right slows nothing past
// full speed, Left steps down to 50 % and stops, ButtonA adds hearts round
// to none; a file keeps the keys only once they leave their defaults.
TEST(AssistPage, SpeedsReadAsTheNearestAllowedStepInTensAndTheKeysAreKeptOnlyOnceChanged) {
    Settings settings;
    std::vector<std::string> problems;
    settings.Read("assist.speed = 73\nassist.hearts = 3\nassist.keep_lives = on\nassist.speed = fast\nassist.speed =\n",
                  problems);
    EXPECT_EQ(settings.values.assistSpeed, 70);
    EXPECT_EQ(settings.values.assistHearts, 4);
    EXPECT_TRUE(settings.values.assistKeepLives);
    EXPECT_EQ(problems,
              (std::vector<std::string>{"line 4: assist.speed = fast is not 50 to 100 (per cent, in tens); it stays 70",
                                        "line 5: assist.speed =  is not 50 to 100 (per cent, in tens); it stays 70"}));
    settings.Read("assist.speed = 999\n", problems);
    EXPECT_EQ(settings.values.assistSpeed, 100);
    EXPECT_EQ(Settings().Text().find("\nassist."), std::string::npos);

    OptionsPage page(AssistRows, false);
    SettingValues values;
    page.Reset(values);
    EXPECT_EQ(page.list.rows.size(), AssistRows().size() + 1);
    EXPECT_EQ(page.Update(Right, values).changed, -1);
    for (int step = 0; step < 200; ++step) page.Update(Left, values);
    EXPECT_EQ(values.assistSpeed, 50);
    EXPECT_EQ(page.list.rows[0].value, "50%");
    page.list.cursor = 1;
    for (int press = 0; press < 3; ++press) {
        page.list.pacer.delay = 0;
        page.Update(0, values);
        page.Update(ButtonA, values);
    }
    EXPECT_EQ(values.assistHearts, 0);
    EXPECT_EQ(page.list.rows[1].value, "OFF");
    Settings changed;
    changed.values = values;
    EXPECT_NE(changed.Text().find("\nassist.speed = 50\n"), std::string::npos);
}

// The file edited by hand (or by another game) while the game runs, with
// lines ending in CR and in CR CR LF: the game writes under the lock, on the
// file as it is then, only the key it changed, every line as it was; the
// temporary file a crash left goes; a read-only file is kept, said once.
TEST(Settings, TheGameWritesOnlyTheKeysItChangedOnTheFileAsItIsNow) {
    TempDir home;
    const std::string path = home / "settings";
    std::ofstream(path) << "# mine\nmusic_volume = 10\n";
    std::ofstream(path + ".new-AbC123") << "left";
    std::string said;
    SetLogSink([&said](const std::string& line) { said += line + "\n"; });
    LoadSettings(path);
    std::ofstream(path) << "# edited\rmusic_volume = 10\r\routlines = off\r\n";
    const auto change = [](int32_t volume) {
        TheSettings().values.musicVolume = volume;
        NoteSettingsChanged();
        KeepChangedSettings();
    };
    change(2);
    const std::string text =
        "# edited\rmusic_volume = 2\r\routlines = off\r\neffects_volume = 10\rfullscreen = off\r"
        "window_size = 3\rconsole = off\r";
    EXPECT_EQ(ReadTextFile(path), text);
    EXPECT_FALSE(GameFileIsThere(path + ".new-AbC123"));
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    change(3);
    change(4);
    EXPECT_EQ(said, "Settings are kept for this run only: " + path + " is read-only: it is kept as it is\n");
    EXPECT_EQ(ReadTextFile(path), text);
}
