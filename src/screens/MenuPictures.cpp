#include "screens/MenuPictures.h"
#include "base/SharedConstants.h"

namespace {
constexpr Color kBackdropTint{0xAA000000u};
// A box over the menu hides the words behind it.
constexpr Color kDialogTint{0xF0000000u};
constexpr Color kCursorTint{0xFF1212DDu};
constexpr int32_t kLetterWidth = 8;
// The cool glyphs after the letters: '?' and the digits.
constexpr int32_t kQuestionGlyph = 28;
constexpr int32_t kFirstDigitGlyph = 30;
constexpr int32_t kDashGlyph = 40;

int32_t PlainGlyph(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= '0' && c <= '9') return kFirstDigitGlyph + (c - '0');
    return c == '-' ? kDashGlyph : kQuestionGlyph;
}
}

void DrawFramedBox(const MenuPictures& pictures, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    DrawFramedBox(pictures, left, top, right, bottom, kBackdropTint);
}

void DrawFramedBox(const MenuPictures& pictures, int32_t left, int32_t top, int32_t right, int32_t bottom,
                   Color backdrop) {
    for (int32_t i = 0; i <= (right - left - 6) / 4; ++i)
        for (int32_t j = 0; j <= (bottom - top - 2) / 4; ++j)
            pictures.block.Draw(left + 5 + 4 * i, top + 2 + 4 * j, 0, 0, 0.13f, 0, backdrop);
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
    DrawFramedBox(pictures, left, top, left + width - 8, bottom, kDialogTint);
}

void DrawCursorBar(const MenuPictures& pictures, int32_t x, int32_t y, int32_t cells) {
    for (int32_t i = 0; i < cells; ++i) pictures.block.Draw(x + 8 * i, y, 0, 0, 0.25f, 0, kCursorTint);
}

void DrawPlainText(const Sprite& font, const std::string& text, int32_t x, int32_t y) {
    for (char c : text) {
        if (c != ' ') font.Draw(x, y, PlainGlyph(c), 0, 1.0f, 0, Color(0));
        x += kLetterWidth;
    }
}

int32_t CentredX(size_t characters) { return (kScreenWidth - int32_t(characters) * kLetterWidth) / 2; }
