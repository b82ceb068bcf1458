// The 8 by 8 font "sprites\DH3font1.png". The game cuts it with a grid 121
// pixels wide, as the image width of 120 would: 15 cells in a row, so frame
// n sits at column n % 15, row n / 15. Frames 109 on hold the warm set that text printing uses;
// the cool set that the menu shows for entries not highlighted is the same
// glyphs 109 frames earlier (capitals at 0 to 25).
#include "FontArt.h"
#include "Generator.h"

namespace {
constexpr int kCell = 8;
constexpr int kColumns = 15;
constexpr int kRows = 14;
constexpr int kWarmFirst = 109;
constexpr uint32_t kKey = 0xFFFFFFFFu;

// Ink colours from the top row of a cell to the bottom, and the shadow.
struct GlyphStyle {
    uint32_t rows[kCell];
    uint32_t shadow;
};
const GlyphStyle kCool = {{Rgb(0xE6, 0xEE, 0xFA), Rgb(0xD4, 0xE0, 0xF2), Rgb(0xC0, 0xD0, 0xEA), Rgb(0xAC, 0xC0, 0xE0),
                           Rgb(0x98, 0xAC, 0xD2), Rgb(0x84, 0x98, 0xC4), Rgb(0x74, 0x86, 0xB4), Rgb(0x64, 0x76, 0x9F)},
                          Rgb(0x10, 0x13, 0x1F)};
const GlyphStyle kWarm = {{Rgb(0xFF, 0xF4, 0xC8), Rgb(0xFF, 0xE4, 0x9A), Rgb(0xFF, 0xD0, 0x6A), Rgb(0xFB, 0xBA, 0x48),
                           Rgb(0xF0, 0xA0, 0x38), Rgb(0xE0, 0x88, 0x30), Rgb(0xC8, 0x6E, 0x28), Rgb(0xA8, 0x5A, 0x22)},
                          Rgb(0x2A, 0x0E, 0x08)};

struct NamedGlyph {
    char character;  // 0 for the glyphs that stand for a pair of characters
    const char* name;
    int frame;  // in the warm set
};
const NamedGlyph kSymbols[] = {
    {'[', "bracket", 135}, {'!', "exclamation", 136}, {'?', "question", 137},   {'.', "period", 138},
    {'-', "dash", 149},    {'=', "equals", 150},      {0, "heart", 151},        {'\'', "apostrophe", 152},
    {',', "comma", 189},   {'&', "ampersand", 190},   {':', "colon", 191},      {'%', "percent", 193},
    {0, "arrow", 195},     {7, "skull", 196},         {'/', "slash", 153},      {'\\', "backslash", 154},
    {'(', "open", 155},    {')', "close", 156},       {'_', "underscore", 157}, {'<', "less", 158},
    {'>', "greater", 159}, {'+', "plus", 192},
};

struct GlyphPlace {
    std::string name;
    int frame;
};
std::vector<GlyphPlace> WarmGlyphPlaces() {
    std::vector<GlyphPlace> places;
    for (char c = 'A'; c <= 'Z'; ++c) places.push_back({std::string(1, c), c + 44});
    for (char c = 'a'; c <= 'z'; ++c) places.push_back({std::string(1, c), c + 66});
    for (char c = '0'; c <= '9'; ++c) places.push_back({std::string(1, c), c + 91});
    for (const NamedGlyph& symbol : kSymbols) places.push_back({symbol.name, symbol.frame});
    return places;
}

void DrawGlyph(Image& sheet, const Image& art, int frame, const GlyphStyle& style) {
    int left = frame % kColumns * kCell, top = frame / kColumns * kCell;
    auto inked = [&](int x, int y) { return (art.Get(x, y) >> 24) != 0; };
    for (int y = 0; y < art.Height(); ++y)
        for (int x = 0; x < art.Width(); ++x)
            if (inked(x, y) && x + 1 < kCell && y + 1 < kCell && !inked(x + 1, y + 1))
                sheet.Set(left + x + 1, top + y + 1, style.shadow);
    for (int y = 0; y < art.Height(); ++y)
        for (int x = 0; x < art.Width(); ++x) {
            uint32_t color = art.Get(x, y);
            if (color == kGlyphInk) color = style.rows[y];
            if (inked(x, y)) sheet.Set(left + x, top + y, color);
        }
}

void GenerateFont(ContentContext& context) {
    std::vector<TextArt> glyphs = LoadGlyphArt(context);
    Image sheet(kColumns * kCell, kRows * kCell, kKey);
    for (const GlyphPlace& place : WarmGlyphPlaces()) {
        const Image* art = FindArt(glyphs, place.name);
        if (!art) {
            context.Fail("art/font.txt has no glyph " + place.name);
            continue;
        }
        if (art->Width() >= kCell || art->Height() > kCell)
            context.Fail("art/font.txt: glyph " + place.name + " does not leave room for its shadow");
        DrawGlyph(sheet, *art, place.frame, kWarm);
        DrawGlyph(sheet, *art, place.frame - kWarmFirst, kCool);
    }
    sheet.Save(context, "sprites\\DH3font1.png");
}
}

std::vector<TextArt> LoadGlyphArt(ContentContext& context) { return LoadTextArt(context, "art/font.txt"); }

std::string GlyphArtName(char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return std::string(1, c);
    for (const NamedGlyph& symbol : kSymbols)
        if (symbol.character != 0 && symbol.character == c) return symbol.name;
    return "";
}

DUSKHOLD_GENERATOR("font", GenerateFont);
