#include "screens/OptionsScreen.h"
#include "base/SharedConstants.h"
#include "campaign/SettingsEffects.h"
#include "core/StateStack.h"
#include "platform/Input.h"
#include "platform/Renderer.h"
#include "screens/MenuPictures.h"

namespace {
OptionsScreen gScreen;

constexpr Color kNoKey{0};
constexpr Color kBackgroundTint{0xFF0000FFu};
constexpr Color kBackdropTint{0xAA000000u};
constexpr Color kCursorTint{0xFF1212DDu};
constexpr Color kVolumeOn = Color::FromBytes(240, 160, 48, 255);
constexpr Color kVolumeOff = Color::FromBytes(70, 70, 100, 255);
constexpr int32_t kHighlight = 109;

// The panel of rows, in logical pixels, and where its rows and values go.
constexpr int32_t kPanelLeft = 24;
constexpr int32_t kPanelTop = 48;
constexpr int32_t kPanelWidth = 272;
constexpr int32_t kPanelHeight = 156;
constexpr int32_t kFirstRowY = 62;
constexpr int32_t kRowPitch = 20;
constexpr int32_t kLabelX = kPanelLeft + 12;
constexpr int32_t kValueX = 160;

const char* const kLabels[OptionsPage::kRowCount] = {"MUSIC",    "EFFECTS", "FULLSCREEN", "WINDOW SIZE",
                                                     "OUTLINES", "CONSOLE", "BACK"};

// The menu font's plain frame of a character (its warm one is 109 further
// on), or -1 for one it does not draw.
int32_t PlainFrame(char character) {
    const int32_t warm = GlyphFrame(static_cast<unsigned char>(character));
    return warm >= kHighlight ? warm - kHighlight : -1;
}

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
    font_.emplace("sprites\\DH3font1.png", Colors::White, 8, 8, 121);
    background_.emplace("bg\\bg0018.png", kNoKey, kScreenWidth, kScreenHeight);
    cursorFlame_.emplace("sprites\\menufire.png", Colors::Magenta, 16, 16);
    chosenFlame_.emplace("sprites\\menufire2.png", Colors::Magenta, 16, 16);
    holder_.emplace("sprites\\menuholder.png", Colors::Magenta, 144, 32);
    window_.emplace("sprites\\menuwindow2.png", Colors::Black, 8, 4, 96);
    // Heard at each step of the effects volume, at that volume.
    sample_ = std::make_unique<Sound>("sound\\ZombieDeath.wav", false);
    page_.Reset();
    flameDraws_ = 0;
}

void OptionsScreen::Leave() {
    font_.reset();
    background_.reset();
    cursorFlame_.reset();
    chosenFlame_.reset();
    holder_.reset();
    window_.reset();
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
    background_->Draw(0, 0, 0, 0, 1.0f, 0, kBackgroundTint);
    DrawTitle();
    DrawPanel(kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);
    const int32_t cursorY = RowY(page_.cursor);
    FillRect(float(kPanelLeft + 4), float(cursorY - 1), float(kPanelWidth - 8), 10.0f, kCursorTint);
    const int32_t flameFrame = (flameDraws_ / 4) % 4;
    DrawPlain(*cursorFlame_, kPanelLeft - 16, cursorY - 6, flameFrame);
    DrawPlain(*cursorFlame_, kPanelLeft + kPanelWidth, cursorY - 6, flameFrame, 1);
    for (int32_t row = 0; row < OptionsPage::kRowCount; ++row) DrawRow(row);
    ++flameDraws_;
}

// The page's name in a bar of the menu, with the flames of a chosen entry.
void OptionsScreen::DrawTitle() const {
    const int32_t flameFrame = (flameDraws_ / 4) % 4;
    DrawPlain(*holder_, 16, 8);
    DrawPlain(*chosenFlame_, 16, 8, flameFrame);
    DrawPlain(*chosenFlame_, 144, 8, flameFrame, 1);
    DrawText("OPTIONS", 60, 16, true);
}

void OptionsScreen::DrawPanel(int32_t left, int32_t top, int32_t width, int32_t height) const {
    FillRect(float(left + 2), float(top + 2), float(width - 4), float(height - 4), kBackdropTint);
    const int32_t right = left + width - 8;
    const int32_t bottom = top + height - 4;
    DrawBoxBorder(*window_, left, top, right, bottom);
}

// The label, then the value; the row under the cursor is drawn warm, its
// value between arrows that say it can be changed.
void OptionsScreen::DrawRow(int32_t row) const {
    const SettingValues& values = TheSettings().values;
    const bool current = row == page_.cursor;
    const int32_t y = RowY(row);
    DrawText(kLabels[row], kLabelX, y, current);
    if (row == OptionsPage::Back) return;
    const bool volume = row == OptionsPage::Music || row == OptionsPage::Effects;
    const int32_t level = row == OptionsPage::Music ? values.musicVolume : values.effectsVolume;
    const std::string value = volume ? std::to_string(level) : ValueText(row, values);
    if (volume) DrawVolume(level, kValueX, y);
    const int32_t valueX = volume ? kValueX + 8 * SettingValues::kMaxVolume + 8 : kValueX;
    DrawText(value.c_str(), valueX, y, current);
    if (!current) return;
    DrawText("<", kValueX - 12, y, true);
    DrawText(">", valueX + 8 * int32_t(value.size()) + 4, y, true);
}

// One cell a step, lit up to the volume.
void OptionsScreen::DrawVolume(int32_t volume, int32_t x, int32_t y) const {
    for (int32_t step = 0; step < SettingValues::kMaxVolume; ++step)
        FillRect(float(x + 8 * step), float(y + 1), 6.0f, 6.0f, step < volume ? kVolumeOn : kVolumeOff);
}

void OptionsScreen::DrawText(const char* text, int32_t x, int32_t y, bool highlighted) const {
    for (const char* character = text; *character; ++character, x += 8) {
        const int32_t frame = PlainFrame(*character);
        if (frame >= 0) DrawPlain(*font_, x, y, frame + (highlighted ? kHighlight : 0));
    }
}
