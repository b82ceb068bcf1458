#pragma once
#include "platform/Sprite.h"
#include <cstdint>
#include <string>

// The pictures the menu's panels are drawn with.
struct MenuPictures {
    const Sprite& font;    // the menu font
    const Sprite& block;   // the panel block, a light square the draws tint
    const Sprite& window;  // the panel border's pieces
};

// A dark box in the panel's border, its corner pieces at (left, top),
// (right, top), (left, bottom) and (right, bottom): the pieces are 8 by 4,
// so the box reaches 8 pixels right of `right` and 4 below `bottom`. The
// backdrop lets the menu show through, as the file panel's does.
void DrawFramedBox(const MenuPictures& pictures, int32_t left, int32_t top, int32_t right, int32_t bottom);
void DrawFramedBox(const MenuPictures& pictures, int32_t left, int32_t top, int32_t right, int32_t bottom,
                   Color backdrop);
// A box over the menu, `width` pixels wide between the outer edges and
// centred across the screen, nearly opaque.
void DrawCentredBox(const MenuPictures& pictures, int32_t top, int32_t width, int32_t bottom);
// The bar behind the row of `cells` letters at (x, y) that a cursor marks.
void DrawCursorBar(const MenuPictures& pictures, int32_t x, int32_t y, int32_t cells);
// Capitals, digits, '-' and '?' of the menu font's cool glyphs, 8 pixels a
// character; a space leaves a gap.
void DrawPlainText(const Sprite& font, const std::string& text, int32_t x, int32_t y);
// The x at which `characters` letters stand centred across the screen.
int32_t CentredX(size_t characters);
