#include "screens/GameOver.h"
#include "base/SharedConstants.h"
#include "core/StateStack.h"
#include "platform/Input.h"
#include "platform/Sound.h"
#include "screens/Screens.h"
#include <algorithm>

namespace {
GameOver gScreen;

// The screen passes 100 as its scale, which drawing takes as natural size.
constexpr float kNaturalScale = 100.0f;
constexpr Color kLettersTint{0xAAFFFFFFu};
constexpr int32_t kStepsPerLetterFrame = 16;
}
GameState* const gGameOver = &gScreen;

void GameOver::Enter() {
    moon_.emplace("sprites\\gameovermoon.png", Colors::Magenta, kScreenWidth, kScreenHeight, 512);
    castle_.emplace("sprites\\gameovercastle.png", Colors::Blue, 244, 215);
    letters_.emplace("sprites\\gameoverlet.png", Colors::Black, 288, 32);
    music_ = std::make_unique<Sound>("music\\DH3- Game Over.mid", false);
    music_->Play();
    letterTick_ = 0;
    letterFrame_ = 0;
    letterStep_ = 1;
    timer_ = 0;
}

void GameOver::Leave() {
    moon_.reset();
    castle_.reset();
    letters_.reset();
    music_.reset();
}

void GameOver::Update(float) {
    UpdateSoundSystem();
    ++timer_;
    if (++letterTick_ == kStepsPerLetterFrame) {
        letterFrame_ += letterStep_;
        letterTick_ = 0;
        if (letterFrame_ == 0 || letterFrame_ == 2) letterStep_ = -letterStep_;
    }
    if (timer_ > kLeaveAfter || (timer_ > kStillAfter && TheInput().held != 0)) TheStateStack().ChangeState(gMainMenu);
}

int32_t GameOver::CastleY(int32_t timer) { return 146 - std::min(timer, kStillAfter) / 4; }
int32_t GameOver::LettersY(int32_t timer) { return std::min(timer, kStillAfter) - 370; }

void GameOver::Draw() {
    moon_->Draw(0, 0, 0, 0, kNaturalScale, 0, Color(0));
    castle_->Draw(50, CastleY(timer_), 0, 0, kNaturalScale, 0, Color(0));
    letters_->Draw(12, LettersY(timer_), letterFrame_, 0, kNaturalScale, 0, kLettersTint);
}
