#pragma once
#include "platform/Sprite.h"
#include <cstdint>

// The pieces the menu and the pages in its style share.

// Panel pieces of "sprites\menuwindow2.png", 8 by 4 pixels each.
enum WindowPiece : int32_t {
    TopLeft = 4,
    Top = 5,
    TopRight = 6,
    LeftEdge = 7,
    RightEdge = 8,
    BottomLeft = 9,
    Bottom = 10,
    BottomRight = 11,
};

// A frame of a menu picture, untinted and at full size.
inline void DrawPlain(const Sprite& sprite, int32_t x, int32_t y, int32_t frame = 0, int32_t flip = 0) {
    sprite.Draw(x, y, frame, flip, 1.0f, 0, Color(0));
}
