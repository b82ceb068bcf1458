#pragma once
#include "platform/Sound.h"
#include "platform/Sprite.h"
#include "things/SheetFrames.h"
#include <cstdint>
#include <memory>

// The pictures and sounds of the hazards, pickups and lanterns, loaded once
// while any of them is on the stage: each holds a share, and the last to go
// lets them go.
struct ThingArt : ThingSheet {
    // A standing picture's last row is the frame's second last, so that its
    // dark outline rests on the ground; a slab or hanging picture starts on
    // the frame's second row, below its outline.
    static constexpr int32_t kStandingBottom = kFrameSize - 2;
    static constexpr int32_t kHangingTop = 1;

    ThingArt();
    // The frame with its standing picture's bottom middle at (x, y) on the screen.
    void DrawStanding(int32_t frame, int32_t x, int32_t y) const;
    // The frame with its slab or hanging picture's top left at (left, top) on the screen.
    void DrawHanging(int32_t frame, int32_t left, int32_t top) const;

    Sprite sheet;
    std::unique_ptr<Sound> pickup;
    std::unique_ptr<Sound> gemChime;
    std::unique_ptr<Sound> lanternWhoosh;
    std::unique_ptr<Sound> crumble;
};
