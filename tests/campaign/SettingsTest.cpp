#include "campaign/OptionsPage.h"
#include "campaign/Settings.h"
#include "campaign/SettingsEffects.h"
#include "platform/Input.h"
#include "ChildGame.h"
#include "support/GlWindow.h"
#include <fstream>
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
              "# mine\r\nmusic_volume=4\r\n  key_jump = space  \neffects_volume = 0\noutlines = off\n"
              "window_size = fit\nconsole = on\nnonsense\n\nfullscreen = on");
}

// Lines may end in LF, CRLF or CR, each line its own: every one is read, and
// written back as it was; a key the file lacks is added with its first
// line's end.
TEST(Settings, EveryKindOfLineEndIsReadAndWrittenBackAsItWas) {
    Settings made;
    made.values.musicVolume = 4;
    made.values.fullscreen = true;
    const std::string lf = made.Text();
    auto replaced = [&lf](const std::string& ending) {
        std::string text;
        for (char c : lf) text += c == '\n' ? ending : std::string(1, c);
        return text;
    };
    std::string mixed = replaced("\r");
    mixed.replace(mixed.find('\r'), 1, "\r\r\n");
    mixed.replace(mixed.rfind('\r'), 1, "\r\n");
    for (const std::string& text : {replaced("\r"), replaced("\r\n"), mixed}) {
        Settings settings;
        std::vector<std::string> problems;
        settings.Read(text, problems);
        EXPECT_TRUE(problems.empty()) << problems[0];
        EXPECT_EQ(settings.values.musicVolume, 4);
        EXPECT_TRUE(settings.values.fullscreen);
        EXPECT_EQ(settings.Text(), text);
        Settings again;
        again.Read(settings.Text(), problems);
        EXPECT_EQ(again.Text(), text);
    }
    Settings few;
    std::vector<std::string> problems;
    few.Read("# mine\rmusic_volume=4\routlines = off\r", problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_FALSE(few.values.outlines);
    const std::string text = few.Text();
    EXPECT_EQ(text.substr(0, 41), "# mine\rmusic_volume=4\routlines = off\reffe");
    EXPECT_EQ(text.find('\n'), std::string::npos);
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

// Volumes stop at their ends when held and A leaves them; the window size
// comes round on A; a switch flips either way.
TEST(OptionsPage, HeldArrowsRepeatAsInTheMenuAndStopAtTheEndsAPressStepsRoundBLeaves) {
    OptionsPage page;
    SettingValues values;
    int changes = 0;
    for (int step = 0; step < 30; ++step) changes += page.Update(Right, values).changed >= 0;
    for (int step = 0; step < 30; ++step) changes += page.Update(Left, values).changed >= 0;
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(values.musicVolume, 7);
    page = OptionsPage();
    EXPECT_EQ(page.Update(ButtonA, values).changed, -1);
    page = OptionsPage();
    page.cursor = OptionsPage::WindowSize;
    values.windowSize = SettingValues::kFitWindow;
    EXPECT_EQ(page.Update(ButtonA, values).changed, OptionsPage::WindowSize);
    EXPECT_EQ(values.windowSize, 1);
    for (int step = 0; step < 14; ++step) EXPECT_FALSE(page.Update(ButtonB, values).leave);
    EXPECT_TRUE(page.Update(ButtonB, values).leave);
    EXPECT_EQ(WindowModeFor(values, 1366, 768).width, 320);
    values.windowSize = SettingValues::kFitWindow;
    EXPECT_EQ(WindowModeFor(values, 1366, 768).height, 720);
    page = OptionsPage();
    page.cursor = OptionsPage::Fullscreen;
    EXPECT_EQ(page.Update(Left, values).changed, OptionsPage::Fullscreen);
    EXPECT_EQ(WindowModeFor(values, 1366, 768).width, 1366);
}

// Two games and a hand edit change the settings file while the games run:
// each game writes only the keys it changed, on the file as it is then, so
// that nothing of the others is lost.
TEST(Settings, EachGameWritesOnlyTheKeysItChangedOnTheFileAsItIsNow) {
    TempDir home;
    const std::string path = home / "settings";
    std::ofstream(path) << "# mine\nmusic_volume = 10\noutlines = on\n";
    const auto loads = [&path] { return [&path] { LoadSettings(path); }; };
    const auto changes = [](const std::function<void(SettingValues&)>& change) {
        return [change] {
            change(TheSettings().values);
            NoteSettingsChanged();
            KeepChangedSettings();
        };
    };
    ChildGame a(home.path, {loads(), changes([](SettingValues& v) { v.musicVolume = 2; })});
    ChildGame b(home.path, {loads(), changes([](SettingValues& v) { v.effectsVolume = 3; }),
                            changes([](SettingValues& v) { v.effectsVolume = 4; })});
    a.Next(), b.Next();
    std::ofstream(path) << "# mine, edited\nmusic_volume = 10\noutlines = off\n";
    EXPECT_EQ(b.Next(), "");
    EXPECT_EQ(a.Next(), "");
    EXPECT_EQ(b.Next(), "");
    Settings read;
    std::vector<std::string> problems;
    ASSERT_EQ(ReadSettingsFile(path, read, problems), SettingsFile::Read);
    const std::string text = ReadTextFile(path);
    EXPECT_EQ(text,
              "# mine, edited\nmusic_volume = 2\noutlines = off\neffects_volume = 4\nfullscreen = off\n"
              "window_size = 3\nconsole = on\n");
    EXPECT_EQ(read.values.effectsVolume, 4);
}
