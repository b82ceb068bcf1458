#include "screens/MenuPictures.h"
#include "base/SharedConstants.h"
#include "platform/Renderer.h"

namespace {
constexpr Color kBackdropTint{0xAA000000u};
// A box over the menu hides everything behind it.
constexpr Color kDialogFill = Color::FromBytes(0x08, 0x06, 0x0C, 0xFF);
constexpr Color kCursorTint{0xFF1212DDu};
constexpr Color kNoKey{0};
}

void MenuArt::Load() {
    background.emplace("bg\\bg0018.png", kNoKey, kScreenWidth, kScreenHeight);
    cursorFlame.emplace("sprites\\menufire.png", Colors::Magenta, 16, 16);
    chosenFlame.emplace("sprites\\menufire2.png", Colors::Magenta, 16, 16);
    holder.emplace("sprites\\menuholder.png", Colors::Magenta, 144, 32);
    window.emplace("sprites\\menuwindow2.png", Colors::Black, 8, 4, 96);
}

void MenuArt::Release() {
    background.reset();
    cursorFlame.reset();
    chosenFlame.reset();
    holder.reset();
    window.reset();
}

void DrawFramedBox(const MenuPictures& pictures, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    for (int32_t i = 0; i <= (right - left - 6) / 4; ++i)
        for (int32_t j = 0; j <= (bottom - top - 2) / 4; ++j)
            pictures.block.Draw(left + 5 + 4 * i, top + 2 + 4 * j, 0, 0, 0.13f, 0, kBackdropTint);
    DrawBoxBorder(pictures.window, left, top, right, bottom);
}

void DrawBoxBorder(const Sprite& window, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    DrawPlain(window, left, top, TopLeft);
    DrawPlain(window, right, top, TopRight);
    DrawPlain(window, left, bottom, BottomLeft);
    DrawPlain(window, right, bottom, BottomRight);
    for (int32_t x = left + 8; x < right; x += 8) {
        DrawPlain(window, x, top, Top);
        DrawPlain(window, x, bottom, Bottom);
    }
    for (int32_t y = top + 4; y < bottom; y += 4) {
        DrawPlain(window, left, y, LeftEdge);
        DrawPlain(window, right, y, RightEdge);
    }
}

void DrawCentredBox(const MenuPictures& pictures, int32_t top, int32_t width, int32_t bottom) {
    const int32_t left = (kScreenWidth - width) / 2;
    FillRect(float(left + 2), float(top + 1), float(width - 4), float(bottom - top + 2), kDialogFill);
    DrawBoxBorder(pictures.window, left, top, left + width - 8, bottom);
}

void DrawCursorBar(const MenuPictures& pictures, int32_t x, int32_t y, int32_t cells) {
    for (int32_t i = 0; i < cells; ++i) pictures.block.Draw(x + 8 * i, y, 0, 0, 0.25f, 0, kCursorTint);
}
