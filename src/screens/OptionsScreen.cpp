#include "screens/OptionsScreen.h"
#include "base/SharedConstants.h"
#include "campaign/SettingsEffects.h"
#include "core/StateStack.h"
#include "platform/Input.h"
#include "platform/Renderer.h"

namespace {
OptionsScreen gScreen;

constexpr Color kVolumeOn = Color::FromBytes(240, 160, 48, 255);
constexpr Color kVolumeOff = Color::FromBytes(70, 70, 100, 255);

// The panel of rows, in logical pixels, and where its rows and values go.
constexpr int32_t kPanelTop = 48;
constexpr int32_t kPanelHeight = 156;
constexpr int32_t kFirstRowY = 62;
constexpr int32_t kRowPitch = 20;
constexpr int32_t kValueX = 160;

const char* const kLabels[OptionsPage::kRowCount] = {"MUSIC",    "EFFECTS", "FULLSCREEN", "WINDOW SIZE",
                                                     "OUTLINES", "CONSOLE", "BACK"};

std::string ValueText(int32_t row, const SettingValues& values) {
    switch (row) {
    case OptionsPage::Fullscreen: return values.fullscreen ? "ON" : "OFF";
    case OptionsPage::WindowSize:
        return values.windowSize == SettingValues::kFitWindow ? "FIT" : std::to_string(values.windowSize) + "X";
    case OptionsPage::Outlines: return values.outlines ? "ON" : "OFF";
    case OptionsPage::Console: return values.console ? "ON" : "OFF";
    default: return "";
    }
}

int32_t RowY(int32_t row) { return kFirstRowY + kRowPitch * row; }
}
GameState* const gOptionsScreen = &gScreen;

const OptionsScreen& TheOptionsScreen() { return gScreen; }

void OptionsScreen::Enter() {
    pictures_.Load();
    // Heard at each step of the effects volume, at that volume.
    sample_ = std::make_unique<Sound>("sound\\ZombieDeath.wav", false);
    page_.Reset();
}

void OptionsScreen::Leave() {
    pictures_.Release();
    sample_.reset();
    KeepChangedSettings();
}

void OptionsScreen::Update(float) {
    const uint32_t held = TheInput().held;
    UpdateSoundSystem();
    const OptionsPage::Step step = page_.Update(held, TheSettings().values);
    if (step.changed >= 0) Apply(step.changed);
    if (step.leave) TheStateStack().PopState();
}

void OptionsScreen::Apply(int32_t row) {
    const SettingValues& values = TheSettings().values;
    NoteSettingsChanged();
    switch (row) {
    case OptionsPage::Music: ApplySoundSettings(values); break;
    case OptionsPage::Effects:
        ApplySoundSettings(values);
        sample_->Play();
        break;
    case OptionsPage::Fullscreen:
    case OptionsPage::WindowSize: ApplyWindowSettings(values); break;
    default: ApplyOverlaySettings(values); break;
    }
}

void OptionsScreen::Draw() {
    pictures_.DrawPage("OPTIONS", kPanelTop, kPanelHeight, RowY(page_.cursor));
    for (int32_t row = 0; row < OptionsPage::kRowCount; ++row) DrawRow(row);
}

// The label, then the value; the row under the cursor is drawn warm, its
// value between arrows that say it can be changed.
void OptionsScreen::DrawRow(int32_t row) const {
    const SettingValues& values = TheSettings().values;
    const bool current = row == page_.cursor;
    const int32_t y = RowY(row);
    pictures_.DrawText(kLabels[row], PagePictures::kLabelX, y, current);
    if (row == OptionsPage::Back) return;
    const bool volume = row == OptionsPage::Music || row == OptionsPage::Effects;
    const int32_t level = row == OptionsPage::Music ? values.musicVolume : values.effectsVolume;
    const std::string value = volume ? std::to_string(level) : ValueText(row, values);
    if (volume) DrawVolume(level, kValueX, y);
    const int32_t valueX = volume ? kValueX + 8 * SettingValues::kMaxVolume + 8 : kValueX;
    pictures_.DrawText(value.c_str(), valueX, y, current);
    if (!current) return;
    pictures_.DrawText("<", kValueX - 12, y, true);
    pictures_.DrawText(">", valueX + 8 * int32_t(value.size()) + 4, y, true);
}

// One cell a step, lit up to the volume.
void OptionsScreen::DrawVolume(int32_t volume, int32_t x, int32_t y) const {
    for (int32_t step = 0; step < SettingValues::kMaxVolume; ++step)
        FillRect(float(x + 8 * step), float(y + 1), 6.0f, 6.0f, step < volume ? kVolumeOn : kVolumeOff);
}
