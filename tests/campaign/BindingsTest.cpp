#include "base/Log.h"
#include "campaign/Bindings.h"
#include "campaign/ConfigurePage.h"
#include "support/GlWindow.h"
#include <SDL.h>
#include <fstream>
#include <gtest/gtest.h>

namespace {
// One step of the page with these actions held and this control pressed.
ConfigurePage::Step Press(ConfigurePage& page, Input& input, SettingValues& values, uint32_t held,
                          std::optional<Binding> pressed = std::nullopt) {
    input.held = held;
    input.pressed = pressed;
    page.list.pacer.delay = 0;
    return page.Update(input, values);
}

Binding Key(int32_t symbol) { return Binding{Binding::kKeyboard, 0, symbol}; }
constexpr int32_t kDownRow = 3, kJumpRow = 4, kConfirmRow = 7, kBackRow = 8;
}

// A key chosen on a row is the action's only key; a key that would take
// the last way to confirm or go back is refused and changes nothing; RESET
// TO DEFAULTS brings every default key back. The values follow, so that
// the file says what the page did.
TEST(Configure, RebindsOneKeyRefusesLeavingNoConfirmOrBackAndResets) {
    Input input;
    SettingValues values;
    ConfigurePage page;
    page.Reset(input);
    page.list.cursor = kJumpRow;
    Press(page, input, values, ButtonA, Key(SDLK_z));
    EXPECT_TRUE(page.waiting);
    EXPECT_TRUE(Press(page, input, values, 0, Key(SDLK_c)).changed);
    EXPECT_EQ(input.PlayKeyAction(SDLK_c), Jump);
    EXPECT_EQ(input.PlayKeyAction(SDLK_SPACE), 0);
    EXPECT_EQ(input.held | input.playHeld, 0u);

    page.list.cursor = kConfirmRow;
    Press(page, input, values, ButtonA, Key(SDLK_z));
    Press(page, input, values, 0, Key(SDLK_q));
    page.list.cursor = kBackRow;
    Press(page, input, values, ButtonA, Key(SDLK_q));
    EXPECT_FALSE(Press(page, input, values, 0, Key(SDLK_q)).changed);
    EXPECT_TRUE(page.refused);
    EXPECT_EQ(input.KeyAction(SDLK_q), ButtonA);
    EXPECT_EQ(input.KeyAction(SDLK_x), ButtonB);
    EXPECT_EQ(ControlLabel(input.FirstBinding(ButtonA, Binding::kKeyboard)), "Q");

    // The key moves from a row that had it alone: that row keeps none.
    page.list.cursor = 0;
    Press(page, input, values, ButtonA, Key(SDLK_z));
    Press(page, input, values, 0, Key(SDLK_c));
    page.list.cursor = 2;
    Press(page, input, values, ButtonA, Key(SDLK_z));
    Press(page, input, values, 0, Key(SDLK_c));
    EXPECT_EQ(values.keys[0], SettingValues::kNoBinding);
    EXPECT_EQ(values.keys[2], SDLK_c);
    // Up, down, confirm and back each keep a key, and one that Escape, F5,
    // F6 or F12 is not.
    EXPECT_FALSE(Rebind(kDownRow, Key(SDLK_c), input, values)) << "UP would have no key";
    EXPECT_FALSE(Rebind(kConfirmRow, Key(SDLK_F5), input, values));
    EXPECT_EQ(input.KeyAction(SDLK_c), Up);
    EXPECT_EQ(values.keys[kJumpRow], SDLK_c) << "a key may walk in the menus and jump in play";
    EXPECT_EQ(values.keys[kConfirmRow], SDLK_q);

    page.list.cursor = ConfigurePage::kResetRow;
    EXPECT_TRUE(Press(page, input, values, ButtonA).changed);
    EXPECT_EQ(values.keys, SettingValues().keys);
    EXPECT_EQ(input.KeyAction(SDLK_z), ButtonA);
    EXPECT_EQ(input.PlayKeyAction(SDLK_SPACE), Jump);
    EXPECT_EQ(input.KeyAction(SDLK_LEFT), Left);
}

// The file spells keys as movies do; joystick rows take buttons and hat
// directions.
TEST(Configure, SettingsKeysReadWriteAndApplyOverTheDefaults) {
    Settings settings;
    std::vector<std::string> problems;
    settings.Read(
        "key.jump = c\npad.jump = 3\npad.up = hat left\nkey.confirm = x\nkey.whip = nokey\npad.whip = 40\npad.left = "
        "9\npad.down = 11\n",
        problems);
    EXPECT_EQ(problems, (std::vector<std::string>{
                            "line 5: key.whip = nokey is not a key name, default or none; it stays default",
                            "line 6: pad.whip = 40 is not a button number, hat up, hat down, hat left, hat right, "
                            "default or none; it stays default"}));
    Input input;
    input.BindJoystickControls(0, 12, 1);
    ApplyBindingSettings(settings.values, input, problems);
    EXPECT_EQ(problems.size(), 2u);
    EXPECT_EQ(input.PlayKeyAction(SDLK_c), Jump);
    EXPECT_EQ(input.KeyAction(SDLK_x), ButtonA);
    EXPECT_EQ(input.KeyAction(SDLK_END), ButtonB);
    EXPECT_EQ(input.PlayJoystickAction(0, 3), Jump);
    EXPECT_EQ(input.PlayJoystickAction(0, 0), 0);
    EXPECT_EQ(ControlLabel(input.FirstBinding(Up, Binding::kJoystick)), "HAT LEFT");
    EXPECT_EQ(ControlLabel(input.FirstBinding(Jump, Binding::kJoystick)), "BUTTON 3");
    EXPECT_EQ(ControlLabel(input.FirstBinding(Left, Binding::kJoystick)), "BUTTON 9");
    EXPECT_EQ(ControlLabel(input.FirstBinding(Down, Binding::kJoystick)), "BUTTON 11");
    // The page lists every control: button 3 left the odd ones to whip.
    EXPECT_EQ(ControlsLabel(input, Attack, Binding::kJoystick), "BUTTONS 1 5 7 11");
    EXPECT_EQ(ControlsLabel(input, ButtonA, Binding::kJoystick), "EVEN BUTTONS");
    EXPECT_EQ(ControlsLabel(input, Attack, Binding::kKeyboard), "Z RETURN ENTER DELETE");
    EXPECT_EQ(ControlsLabel(input, ButtonB, Binding::kKeyboard), "END");
    const std::string text = settings.Text();
    for (const char* line : {"key.jump = c\n", "pad.up = hat left\n", "key.whip = default\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    EXPECT_EQ(text.find("key.left"), std::string::npos) << "a default is not added";
}

// Bindings that would leave a menu without confirm, back, up or down (or
// with only a key that quits, reloads or takes a screenshot) are refused
// whole, kind by kind, with one line; the defaults stand. A file of many
// bad lines says five of them and counts the rest.
TEST(Configure, BindingsThatLockThePlayerOutAreRefusedAndManyBadLinesAreCounted) {
    const std::pair<const char*, const char*> lockouts[] = {
        {"key.confirm = escape", "CONFIRM"},
        {"key.confirm = f12", "CONFIRM"},
        {"key.up = none\nkey.down = none", "UP"},
        {"key.back = none", "BACK"},
        {"key.back = f3", "BACK"},
        {"key.down = w\nkey.up = f6", "UP"},
        {"key.confirm = x\nkey.back = x", "CONFIRM"},
        {"pad.confirm = none", "pad.* would leave CONFIRM without a control"},
    };
    for (const auto& [lines, why] : lockouts) {
        Settings settings;
        std::vector<std::string> problems;
        settings.Read(std::string(lines) + "\npad.jump = 3\nkey.jump = c\n", problems);
        Input input;
        input.BindJoystickControls(0, 12, 1);
        const Input defaults = input;
        ApplyBindingSettings(settings.values, input, problems);
        ASSERT_EQ(problems.size(), 1u) << lines;
        const bool keys = lines[0] == 'k';
        EXPECT_NE(problems[0].find(keys ? std::string("key.* would leave ") + why +
                                              " without a key that Escape, F2, F3, F5, F6 or F12 does not take"
                                        : why),
                  std::string::npos)
            << problems[0];
        EXPECT_EQ(input.PlayJoystickAction(0, 3) == Jump, keys) << "the other kind is applied: " << lines;
        for (int32_t key : {SDLK_z, SDLK_x, SDLK_UP, SDLK_DOWN, SDLK_F5})
            EXPECT_EQ(input.KeyAction(key), defaults.KeyAction(key)) << lines;
    }

    TempDir dir;
    std::string text(2001, '\n');
    for (int line = 0; line < 41; ++line) text += "bad line\n";
    std::ofstream(dir / "settings") << text;
    std::vector<std::string> said;
    SetLogSink([&](const std::string& line) { said.push_back(line); });
    LoadSettings(dir / "settings");
    SetLogSink(nullptr);
    ASSERT_EQ(said.size(), kShownProblems + 1);
    EXPECT_EQ(said[0], "Settings " + (dir / "settings") + " line 2002: no \"key = value\", kept as it is");
    EXPECT_EQ(said.back(), "Settings " + (dir / "settings") + ": 36 more problems");
    std::ofstream(dir / "settings") << "a\nb\nc\nd\ne\nf\n";  // one more than are shown
    said.clear();
    SetLogSink([&](const std::string& line) { said.push_back(line); });
    LoadSettings(dir / "settings");
    SetLogSink(nullptr);
    EXPECT_EQ(said.back(), "Settings " + (dir / "settings") + ": 1 more problem");
}
