#pragma once
#include "Image.h"
#include <string>
#include <vector>

// The glyph pictures of content/art/font.txt. Their ink is drawn in
// kGlyphInk, which the pictures that use them recolour.
constexpr uint32_t kGlyphInk = 0xFFFF00FFu;
std::vector<TextArt> LoadGlyphArt(ContentContext& context);
// The art name of a character ("A", "a", "7", "apostrophe"), empty when the
// font has no glyph for it.
std::string GlyphArtName(char c);
