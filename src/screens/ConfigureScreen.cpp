#include "screens/ConfigureScreen.h"
#include "campaign/Bindings.h"
#include "core/StateStack.h"
#include "platform/Sound.h"
#include "screens/MenuPictures.h"

namespace {
ConfigureScreen gScreen;

// The panel of rows, in logical pixels: a line of column names, the rows,
// and a line under them that says what to do or what was refused, clear of
// the console at the foot of the screen; the key and joystick columns.
constexpr int32_t kPanelTop = 40;
constexpr int32_t kPanelHeight = 176;
constexpr int32_t kHeadingY = 47;
constexpr int32_t kFirstRowY = 58;
constexpr int32_t kRowPitch = 13;
constexpr int32_t kFootY = 203;
constexpr int32_t kKeyX = 128;
constexpr int32_t kPadX = 216;
// Key names longer than the key column are cut.
constexpr size_t kKeyLetters = (kPadX - kKeyX) / 8 - 1;

int32_t RowY(int32_t row) { return kFirstRowY + kRowPitch * row; }

const char* RowLabel(int32_t row) {
    if (row == ConfigurePage::kResetRow) return "RESET TO DEFAULTS";
    if (row == ConfigurePage::kBackRow) return "BACK";
    return BoundActions()[row].label;
}
}
GameState* const gConfigureScreen = &gScreen;

const ConfigureScreen& TheConfigureScreen() { return gScreen; }

void ConfigureScreen::Enter() {
    pictures_.Load();
    page_.Reset();
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
    pictures_.DrawPage("CONFIGURE", kPanelTop, kPanelHeight, RowY(page_.cursor));
    pictures_.DrawText("KEY", kKeyX, kHeadingY, false);
    pictures_.DrawText("JOYSTICK", kPadX, kHeadingY, false);
    for (int32_t row = 0; row < ConfigurePage::kRowCount; ++row) DrawRow(row);
    DrawFootLine();
}

// The label, then the action's key and joystick control; the row waiting
// for a control says so instead.
void ConfigureScreen::DrawRow(int32_t row) const {
    const bool current = row == page_.cursor;
    const int32_t y = RowY(row);
    pictures_.DrawText(RowLabel(row), PagePictures::kLabelX, y, current);
    if (row >= ConfigurePage::kResetRow) return;
    if (current && page_.waiting) {
        pictures_.DrawText("PRESS KEY OR BUTTON", kKeyX, y, true);
        return;
    }
    const int32_t action = BoundActions()[row].action;
    const std::string key = ControlLabel(TheInput().FirstBinding(action, Binding::kKeyboard)).substr(0, kKeyLetters);
    pictures_.DrawText(key.c_str(), kKeyX, y, current);
    pictures_.DrawText(ControlLabel(TheInput().FirstBinding(action, Binding::kJoystick)).c_str(), kPadX, y, current);
}

void ConfigureScreen::DrawFootLine() const {
    const char* line = page_.refused ? "MENUS NEED CONFIRM BACK UP AND DOWN" : "CONFIRM A ROW THEN PRESS A KEY";
    pictures_.DrawText(line, CentredX(std::char_traits<char>::length(line)), kFootY, page_.refused);
}
