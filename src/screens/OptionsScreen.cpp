#include "screens/OptionsScreen.h"
#include "core/StateStack.h"
#include "platform/Input.h"

namespace {
OptionsScreen gScreen;

// The panel of rows, in logical pixels, and where its rows and values go:
// seven options and BACK, 18 pixels apart, end within the panel.
constexpr ListLayout kLayout{ListLayout::MenuPage, "OPTIONS", 48, 156, 0, 62, 18, 160};
}
GameState* const gOptionsScreen = &gScreen;

const OptionsScreen& TheOptionsScreen() { return gScreen; }

// Entered before it is on the stack: the current screen is the one that opened it.
void OptionsScreen::Enter() {
    const GameState* opener = TheStateStack().CurrentState();
    takesEscape_ = opener && opener->TakesEscape();
    pictures_.Load(ListLayout::MenuPage);
    // Heard at each step of the effects volume, at that volume.
    sample_ = std::make_unique<Sound>("sound\\ZombieDeath.wav", false);
    page_.Reset(TheSettings().values);
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
    if (step.changed >= 0) Apply(OptionRows()[size_t(step.changed)]);
    if (step.leave || (takesEscape_ && (TheInput().commands & EscapeKey))) TheStateStack().PopState();
}

void OptionsScreen::Apply(const OptionRow& option) {
    NoteSettingsChanged();
    option.apply(TheSettings().values);
    if (option.playsSample) sample_->Play();
}

void OptionsScreen::Draw() { pictures_.Draw(page_.list, kLayout); }
