#include "screens/MenuText.h"
#include "base/SharedConstants.h"
#include "core/GameFont.h"

namespace {
// The cool frame of a character, or -1 for one the font does not draw.
int32_t CoolFrame(char character) {
    const int32_t warm = GlyphFrame(static_cast<unsigned char>(character));
    return warm >= MenuText::kWarmFrames ? warm - MenuText::kWarmFrames : -1;
}
}

void MenuText::Load() {
    if (loaded_) return;
    loaded_ = true;
    TakeGameFont();
}

void MenuText::Release() {
    if (!loaded_) return;
    loaded_ = false;
    ReleaseGameFont();
}

const Sprite& MenuText::Font() const { return GameFont(); }

void MenuText::Draw(std::string_view text, int32_t x, int32_t y, bool warm, Color tint) const {
    for (char character : text) {
        const int32_t frame = CoolFrame(character);
        if (frame >= 0) GameFont().Draw(x, y, frame + (warm ? MenuText::kWarmFrames : 0), 0, 1.0f, 0, tint);
        x += kLetterWidth;
    }
}

void MenuText::DrawCentred(std::string_view text, int32_t y, bool warm) const {
    Draw(text, CentredX(text.size()), y, warm);
}

int32_t CentredX(size_t characters) { return (kScreenWidth - int32_t(characters) * MenuText::kLetterWidth) / 2; }
