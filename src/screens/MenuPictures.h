#pragma once
#include "platform/Sprite.h"
#include "screens/MenuText.h"
#include <cstdint>
#include <optional>
#include <string>

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

// The border of a box, its corner pieces at (left, top), (right, top),
// (left, bottom) and (right, bottom), the edges between them.
void DrawBoxBorder(const Sprite& window, int32_t left, int32_t top, int32_t right, int32_t bottom);

// The menu's own pictures, shared by the pages opened from it: the red
// background, the entries' bar, the flames beside the current entry and
// beside a chosen one, and the panel border's pieces.
struct MenuArt {
    void Load();
    void Release();

    std::optional<Sprite> background;
    std::optional<Sprite> holder;
    std::optional<Sprite> cursorFlame;
    std::optional<Sprite> chosenFlame;
    std::optional<Sprite> window;
};

// The pictures the menu's panels are drawn with.
struct MenuPictures {
    const MenuText& text;  // the menu font
    const Sprite& block;   // the panel block, a light square the draws tint
    const Sprite& window;  // the panel border's pieces
};

// A dark box in the panel's border, its corner pieces at (left, top),
// (right, top), (left, bottom) and (right, bottom): the pieces are 8 by 4,
// so the box reaches 8 pixels right of `right` and 4 below `bottom`. The
// backdrop lets the menu show through, as the file panel's does.
void DrawFramedBox(const MenuPictures& pictures, int32_t left, int32_t top, int32_t right, int32_t bottom);
// A box over the menu, `width` pixels wide between the outer edges and
// centred across the screen, opaque.
void DrawCentredBox(const MenuPictures& pictures, int32_t top, int32_t width, int32_t bottom);
// The bar behind the row of `cells` letters at (x, y) that a cursor marks.
void DrawCursorBar(const MenuPictures& pictures, int32_t x, int32_t y, int32_t cells);
