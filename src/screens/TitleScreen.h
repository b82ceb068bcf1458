#pragma once
#include "core/GameState.h"
#include "platform/Sound.h"
#include "platform/Sprite.h"
#include "screens/MenuText.h"
#include <memory>
#include <optional>

// The first screen: the logo fades in, "PRESS START" blinks under it, and an
// action button (after the first 40 steps) plays the press sound, fades the
// logo out and changes to the main menu 120 steps later.
class TitleScreen : public GameState {
public:
    void Enter() override;
    void Leave() override;
    void Update(float step) override;
    void Draw() override;

    // The counters, readable so tests can follow the screen; SetTimer lets a
    // test jump far ahead without running a million steps.
    float Timer() const { return timer_; }
    float LeaveCounter() const { return leaveCounter_; }
    void SetTimer(float timer) { timer_ = timer; }
    // The alphas Draw uses for the logo and the prompt (0 when not drawn).
    int LogoAlpha() const;
    int PromptAlpha() const;

private:
    bool Leaving() const { return leaveCounter_ > 0.0f; }
    int FadeInAlpha() const;
    void CheckPress();

    std::optional<Sprite> logo_;
    MenuText text_;
    std::unique_ptr<Sound> music_;
    std::unique_ptr<Sound> pressSound_;
    float timer_ = 0.0f;
    float leaveCounter_ = 0.0f;
};

// Adds "title" to the trace: the timer and the leave counter while the title
// screen is current.
// The title screen itself, for the trace.
const TitleScreen& TheTitleScreen();
