#include "screens/PagePictures.h"
#include "base/SharedConstants.h"
#include "platform/Renderer.h"
#include "screens/MenuPictures.h"

namespace {
constexpr Color kNoKey{0};
constexpr Color kBackgroundTint{0xFF0000FFu};
constexpr Color kBackdropTint{0xAA000000u};
constexpr Color kCursorTint{0xFF1212DDu};
constexpr int32_t kHighlight = 109;

// The menu font's plain frame of a character (its warm one is 109 further
// on), or -1 for one it does not draw.
int32_t PlainFrame(char character) {
    const int32_t warm = GlyphFrame(static_cast<unsigned char>(character));
    return warm >= kHighlight ? warm - kHighlight : -1;
}
}

void PagePictures::Load() {
    font_.emplace("sprites\\DH3font1.png", Colors::White, 8, 8, 121);
    background_.emplace("bg\\bg0018.png", kNoKey, kScreenWidth, kScreenHeight);
    cursorFlame_.emplace("sprites\\menufire.png", Colors::Magenta, 16, 16);
    chosenFlame_.emplace("sprites\\menufire2.png", Colors::Magenta, 16, 16);
    holder_.emplace("sprites\\menuholder.png", Colors::Magenta, 144, 32);
    window_.emplace("sprites\\menuwindow2.png", Colors::Black, 8, 4, 96);
    flameDraws_ = 0;
}

void PagePictures::Release() {
    font_.reset();
    background_.reset();
    cursorFlame_.reset();
    chosenFlame_.reset();
    holder_.reset();
    window_.reset();
}

void PagePictures::DrawPage(const char* title, int32_t panelTop, int32_t panelHeight, int32_t cursorY) {
    background_->Draw(0, 0, 0, 0, 1.0f, 0, kBackgroundTint);
    DrawTitle(title);
    DrawPanel(panelTop, panelHeight);
    FillRect(float(kPanelLeft + 4), float(cursorY - 1), float(kPanelWidth - 8), 10.0f, kCursorTint);
    const int32_t flameFrame = (flameDraws_ / 4) % 4;
    DrawPlain(*cursorFlame_, kPanelLeft - 16, cursorY - 6, flameFrame);
    DrawPlain(*cursorFlame_, kPanelLeft + kPanelWidth, cursorY - 6, flameFrame, 1);
    ++flameDraws_;
}

// The page's name in a bar of the menu, with the flames of a chosen entry.
void PagePictures::DrawTitle(const char* title) const {
    const int32_t flameFrame = (flameDraws_ / 4) % 4;
    DrawPlain(*holder_, 16, 8);
    DrawPlain(*chosenFlame_, 16, 8, flameFrame);
    DrawPlain(*chosenFlame_, 144, 8, flameFrame, 1);
    DrawText(title, 88 - 4 * int32_t(std::char_traits<char>::length(title)), 16, true);
}

void PagePictures::DrawPanel(int32_t top, int32_t height) const {
    FillRect(float(kPanelLeft + 2), float(top + 2), float(kPanelWidth - 4), float(height - 4), kBackdropTint);
    DrawBoxBorder(*window_, kPanelLeft, top, kPanelLeft + kPanelWidth - 8, top + height - 4);
}

void PagePictures::DrawText(const char* text, int32_t x, int32_t y, bool highlighted) const {
    for (const char* character = text; *character; ++character, x += 8) {
        const int32_t frame = PlainFrame(*character);
        if (frame >= 0) DrawPlain(*font_, x, y, frame + (highlighted ? kHighlight : 0));
    }
}
