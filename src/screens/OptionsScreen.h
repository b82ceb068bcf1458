#pragma once
#include "campaign/OptionsPage.h"
#include "core/GameState.h"
#include "platform/Sound.h"
#include "screens/PagePictures.h"
#include <memory>

// The options page, in the main menu's pictures and font: the music and
// effects volumes, full screen, the window size, the collision outlines and
// the console, the timer, and a row that opens ASSIST; ASSIST is a page of
// the same kind with the assists of play stages. Each change applies at
// once; the settings file is written when the page is left. Pushed over the
// screen that opens it and popped on the way back, so that screen goes on as
// it was; over a screen that takes Escape (a paused play stage), Escape goes
// back to it too.
class OptionsScreen : public GameState {
public:
    // `assist`: the page its ASSIST row opens, or null for a page without one.
    OptionsScreen(OptionsPage::Options options, const ListLayout& layout, GameState* assist = nullptr);

    void Enter() override;
    void Leave() override;
    void Update(float step) override;
    void Draw() override;
    bool ShowsOutlines() const override { return false; }
    bool TakesEscape() const override { return takesEscape_; }

    const OptionsPage& Page() const { return page_; }

private:
    void Apply(const OptionRow& option);

    ListLayout layout_;
    PagePictures pictures_;
    std::unique_ptr<Sound> sample_;
    OptionsPage page_;
    GameState* assist_;
    bool takesEscape_ = false;
};

extern GameState* const gOptionsScreen;
extern GameState* const gAssistScreen;
const OptionsScreen& TheOptionsScreen();
const OptionsScreen& TheAssistScreen();
