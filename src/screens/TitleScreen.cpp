#include "screens/TitleScreen.h"
#include "base/SharedConstants.h"
#include "core/StateStack.h"
#include "core/Trace.h"
#include "platform/Input.h"
#include "screens/Screens.h"
#include <algorithm>

namespace {
TitleScreen gScreen;

// ButtonA, ButtonB and bit 0x20, which no default binding sets.
const uint32_t kPressMask = 0xC20;
const float kIgnorePressesUntil = 40.0f;
const float kLeaveSteps = 120.0f;
const float kTimerWrapAbove = 1000000.0f;
// The timer never returns to 0 after the wrap, so the music starts once.
const float kTimerAfterWrap = 100.0f;

Color WhiteWithAlpha(int alpha) { return Color::FromBytes(255, 255, 255, uint8_t(alpha)); }

int CappedAlpha(float counter, float steps) { return std::min(255, int(counter / steps * 255.0f)); }
}
GameState* const gTitleScreen = &gScreen;

void TitleScreen::Enter() {
    logo_.emplace("sprites\\DH3 logo.png", Color(0), kScreenWidth, kScreenHeight);
    text_.Load();
    music_ = std::make_unique<Sound>("music\\DH3- Overture.mid", true);
    pressSound_ = std::make_unique<Sound>("sound\\ZombieDeath.wav", false);
    timer_ = 0.0f;
    leaveCounter_ = 0.0f;
}

void TitleScreen::Leave() {
    logo_.reset();
    text_.Release();
    music_.reset();
    pressSound_.reset();
}

void TitleScreen::Update(float step) {
    if (timer_ == 0.0f && music_) music_->Play();
    timer_ += step;
    if (timer_ > kTimerWrapAbove) timer_ = kTimerAfterWrap;
    UpdateSoundSystem();
    if (Leaving()) {
        leaveCounter_ += 1.0f;
        if (leaveCounter_ > kLeaveSteps) TheStateStack().ChangeState(gMainMenu);
        return;
    }
    CheckPress();
}

void TitleScreen::CheckPress() {
    if (timer_ <= kIgnorePressesUntil || !(TheInput().held & kPressMask)) return;
    if (music_) music_->Stop();
    if (pressSound_) pressSound_->Play();
    leaveCounter_ = 1.0f;
}

int TitleScreen::FadeInAlpha() const { return CappedAlpha(timer_, 60.0f); }

int TitleScreen::LogoAlpha() const { return Leaving() ? 255 - CappedAlpha(leaveCounter_, 90.0f) : FadeInAlpha(); }

// Visible for 91 steps and hidden for 29 in every 120; never while leaving.
int TitleScreen::PromptAlpha() const {
    if (Leaving() || int(timer_) % 120 > 90) return 0;
    return FadeInAlpha();
}

void TitleScreen::Draw() {
    if (logo_) logo_->Draw(0, 0, 0, 0, 1.0f, 0, WhiteWithAlpha(LogoAlpha()));
    if (Leaving() || !text_.Loaded()) return;
    PrintText(text_.Font(), 110, 200, 1, WhiteWithAlpha(PromptAlpha()), "PRESS START");
}

const TitleScreen& TheTitleScreen() { return gScreen; }
