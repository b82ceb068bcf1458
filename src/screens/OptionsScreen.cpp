#include "screens/OptionsScreen.h"
#include "core/StateStack.h"
#include "platform/Input.h"

namespace {
// The panels of rows, in logical pixels, and where their rows and values go:
// seven options, ASSIST and BACK, 16 pixels apart, end within the panel; the
// three assists and BACK stand as OPTIONS' rows did.
OptionsScreen gAssist(AssistRows, {ListLayout::MenuPage, "ASSIST", 48, 156, 0, 62, 18, 176});
OptionsScreen gScreen(OptionRows, {ListLayout::MenuPage, "OPTIONS", 48, 156, 0, 62, 16, 160}, &gAssist);
}
GameState* const gOptionsScreen = &gScreen;
GameState* const gAssistScreen = &gAssist;

const OptionsScreen& TheOptionsScreen() { return gScreen; }
const OptionsScreen& TheAssistScreen() { return gAssist; }

OptionsScreen::OptionsScreen(OptionsPage::Options options, const ListLayout& layout, GameState* assist)
    : layout_(layout), page_(options, assist != nullptr), assist_(assist) {}

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
    if (step.changed >= 0) Apply(page_.Rows()[size_t(step.changed)]);
    if (step.opensAssist) TheStateStack().PushState(assist_);
    if (step.leave || (takesEscape_ && (TheInput().commands & EscapeKey))) TheStateStack().PopState();
}

void OptionsScreen::Apply(const OptionRow& option) {
    NoteSettingsChanged();
    option.apply(TheSettings().values);
    if (option.playsSample) sample_->Play();
}

void OptionsScreen::Draw() { pictures_.Draw(page_.list, layout_); }
