#pragma once
#include "campaign/ConfigurePage.h"
#include "core/GameState.h"
#include "screens/PagePictures.h"

// The CONFIGURE page, in the main menu's pictures and font: each bound
// action with every key and joystick control it has, RESET TO DEFAULTS and
// BACK. A binding applies at once; the settings file is written when the
// page is left. Pushed over the menu and popped on the way back.
class ConfigureScreen : public GameState {
public:
    void Enter() override;
    void Leave() override;
    void Update(float step) override;
    void Draw() override;

    const ConfigurePage& Page() const { return page_; }

private:
    PagePictures pictures_;
    ConfigurePage page_;
};

extern GameState* const gConfigureScreen;
const ConfigureScreen& TheConfigureScreen();
