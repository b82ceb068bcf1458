#pragma once
#include "platform/Sound.h"
#include "platform/Sprite.h"
#include <memory>

// The guardian's sheet "sprites\guardian.png" and the gate's sound, loaded
// once while the guardian or its gate is on the stage.
class GuardianArt {
public:
    // Frames of 64 by 64, the figure facing right with its feet on the middle
    // of the bottom row; the portcullis fills the top left tile of its frame.
    enum Frame : int32_t { kStand, kCrouch, kCharge, kLeap, kHurt, kPortcullis };
    static constexpr int32_t kFrameSize = 64;

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
