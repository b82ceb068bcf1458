#include "screens/ConfigureScreen.h"
#include "core/StateStack.h"
#include "platform/Sound.h"

namespace {
ConfigureScreen gScreen;

// The panel of rows, in logical pixels: a line of column names, the rows,
// and a line under them that says what to do or what was refused, clear of
// the console at the foot of the screen; the keys and joystick columns. The
// panel is wider than the other pages' so that every key an action has fits
// in at most three lines.
constexpr int32_t kKeyX = 108;
constexpr int32_t kPadX = 200;
constexpr ListLayout kLayout{ListLayout::MenuPage, "CONFIGURE", 40, 176, 0, 56, 10, kKeyX, kPadX, 12, 8};
constexpr int32_t kHeadingY = 45;
constexpr int32_t kFootY = 203;
}
GameState* const gConfigureScreen = &gScreen;

const ConfigureScreen& TheConfigureScreen() { return gScreen; }

void ConfigureScreen::Enter() {
    pictures_.Load(ListLayout::MenuPage);
    page_.Reset(TheInput());
}

void ConfigureScreen::Leave() {
    pictures_.Release();
    KeepChangedSettings();
}

void ConfigureScreen::Update(float) {
    UpdateSoundSystem();
    const ConfigurePage::Step step = page_.Update(TheInput(), TheSettings().values);
    if (step.changed) NoteSettingsChanged();
    if (step.leave) TheStateStack().PopState();
}

void ConfigureScreen::Draw() {
    pictures_.Draw(page_.list, kLayout);
    const MenuText& text = pictures_.Text();
    text.Draw("KEY", kKeyX, kHeadingY, false);
    text.Draw("JOYSTICK", kPadX, kHeadingY, false);
    const char* line = page_.refused ? "MENUS NEED CONFIRM BACK UP AND DOWN" : "CONFIRM A ROW THEN PRESS A KEY";
    text.DrawCentred(line, kFootY, page_.refused);
}
