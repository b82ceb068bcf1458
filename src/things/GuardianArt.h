#pragma once
#include "platform/Sound.h"
#include "platform/Sprite.h"
#include "things/SheetFrames.h"
#include <memory>

// The guardian's sheet "sprites\guardian.png" and the gate's sound, loaded
// once while the guardian or its gate is on the stage.
class GuardianArt : public GuardianSheet {
public:
    GuardianArt();

    // A frame with the figure's feet at (x, y) on the screen.
    void Draw(int32_t frame, int32_t x, int32_t y, int32_t facing) const;
    // One tile of the portcullis with its top left at (left, top) on the screen.
    void DrawBars(int32_t left, int32_t top) const;
    void PlayGateOpening() { gateSound_->Play(); }

private:
    Sprite sheet_;
    std::unique_ptr<Sound> gateSound_;
};
