#pragma once
#include "base/Color.h"
#include "platform/Sprite.h"
#include <cstddef>
#include <cstdint>
#include <string_view>

// A hold of the game's font (GameFont) and the one way the menus write with
// it: 8 pixels a character, the font's cool glyphs or
// its warm ones (a highlighted entry); a space, or a character the font does
// not have, leaves a gap.
class MenuText {
public:
    static constexpr int32_t kLetterWidth = 8;
    // The warm glyphs start 109 frames after the cool ones.
    static constexpr int32_t kWarmFrames = 109;

    // Takes a hold of the font (loading it for the first holder) and gives
    // it back (the last holder lets it go).
    void Load();
    void Release();
    bool Loaded() const { return loaded_; }
    // The font's frames, for the glyphs the text does not name.
    const Sprite& Font() const;
    void Draw(std::string_view text, int32_t x, int32_t y, bool warm, Color tint = Color(0)) const;
    void DrawCentred(std::string_view text, int32_t y, bool warm) const;

private:
    bool loaded_ = false;
};

// The x at which `characters` letters stand centred across the screen.
int32_t CentredX(size_t characters);
