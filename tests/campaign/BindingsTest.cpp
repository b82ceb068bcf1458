#include "campaign/Bindings.h"
#include "campaign/ConfigurePage.h"
#include <SDL.h>
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
constexpr int32_t kJumpRow = 4, kConfirmRow = 7, kBackRow = 8;
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
// directions. Values that would leave no confirm are dropped with a line.
TEST(Configure, SettingsKeysReadWriteAndApplyOverTheDefaults) {
    Settings settings;
    std::vector<std::string> problems;
    settings.Read(
        "key.jump = c\npad.jump = 3\npad.up = hat left\nkey.confirm = x\nkey.back = none\n"
        "key.whip = nokey\npad.whip = 40\n",
        problems);
    EXPECT_EQ(problems, (std::vector<std::string>{
                            "line 6: key.whip = nokey is not a key name, default or none; it stays default",
                            "line 7: pad.whip = 40 is not a button number, hat up, hat down, hat left, hat right, "
                            "default or none; it stays default"}));
    Input input;
    input.BindJoystickControls(0, 12, 1);
    ApplyBindingSettings(settings.values, input, problems);
    EXPECT_EQ(problems.back(), "key.back = none would leave no way to confirm or go back; it stays default");
    EXPECT_EQ(input.PlayKeyAction(SDLK_c), Jump);
    EXPECT_EQ(input.KeyAction(SDLK_x), ButtonA);
    EXPECT_EQ(input.KeyAction(SDLK_END), ButtonB);
    EXPECT_EQ(input.PlayJoystickAction(0, 3), Jump);
    EXPECT_EQ(input.PlayJoystickAction(0, 0), 0);
    EXPECT_EQ(ControlLabel(input.FirstBinding(Up, Binding::kJoystick)), "HAT LEFT");
    EXPECT_EQ(ControlLabel(input.FirstBinding(Jump, Binding::kJoystick)), "BUTTON 3");
    const std::string text = settings.Text();
    for (const char* line : {"key.jump = c\n", "pad.up = hat left\n", "key.back = default\n", "key.whip = default\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    EXPECT_EQ(text.find("key.left"), std::string::npos) << "a default is not added";
}
