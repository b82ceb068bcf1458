#pragma once
#include "campaign/OptionsPage.h"
#include "core/GameState.h"
#include "platform/Sound.h"
#include "screens/PagePictures.h"
#include <memory>

// The options page, in the main menu's pictures and font: the music and
// effects volumes, full screen, the window size, the collision outlines and
// the console. Each change applies at once; the settings file is written when
// the page is left. Pushed over the screen that opens it and popped on the
// way back, so that screen goes on as it was.
class OptionsScreen : public GameState {
public:
    void Enter() override;
    void Leave() override;
    void Update(float step) override;
    void Draw() override;
    bool ShowsOutlines() const override { return false; }

    const OptionsPage& Page() const { return page_; }

private:
    void Apply(const OptionRow& option);

    PagePictures pictures_;
    std::unique_ptr<Sound> sample_;
    OptionsPage page_;
};

extern GameState* const gOptionsScreen;
const OptionsScreen& TheOptionsScreen();
