// The font and whip pictures the content tool makes for the game's data, read
// back with the game's own decoder and cut into frames the way the game cuts them.
#include "platform/PngDecode.h"
#include "platform/Sprite.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {
DecodedImage Built(const std::string& file) {
    std::string bytes = ReadTextFile(BuiltDataDir() + "/sprites/" + file);
    DecodedImage image;
    if (DecodePng(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 4096, image) != PngError::None)
        ADD_FAILURE() << "cannot decode " << file;
    return image;
}

// Which pixels of frame n, cut from a sheet as wide as the picture, are not the white key.
std::vector<bool> Shape(const DecodedImage& sheet, int frame, int width, int height) {
    FrameOrigin corner = FindFrameOrigin(frame, width, height, int(sheet.width));
    std::vector<bool> shape;
    for (size_t y = size_t(corner.y); y < size_t(corner.y + height); ++y)
        for (size_t x = size_t(corner.x); x < size_t(corner.x + width); ++x) {
            const unsigned char* pixel = &sheet.rgba[(y * sheet.width + x) * 4];
            shape.push_back(!(pixel[0] == 0xFF && pixel[1] == 0xFF && pixel[2] == 0xFF && pixel[3] == 0xFF));
        }
    return shape;
}

// The font frame of each character that has a glyph, written out so that the
// glyph table cannot drift from the font picture and stored texts unnoticed.
std::map<int, int> GlyphTable() {
    std::map<int, int> table = {{'[', 135}, {'!', 136}, {'?', 137}, {'.', 138}, {'-', 149}, {'=', 150}, {'\'', 152},
                                {',', 189}, {'&', 190}, {':', 191}, {'%', 193}, {7, 196},   {'/', 153}, {'\\', 154},
                                {'(', 155}, {')', 156}, {'_', 157}, {'<', 158}, {'>', 159}};
    for (int i = 0; i < 26; ++i) table['A' + i] = 109 + i, table['a' + i] = 163 + i;
    for (int i = 0; i < 10; ++i) table['0' + i] = 139 + i;
    return table;
}
}

// Every character text printing draws, and the pairs "<3" and "<-", has a
// glyph of its own in the font; the screenshots check the ones on screen.
TEST(ContentPictures, EveryPrintedCharacterHasADistinctGlyphInTheFont) {
    DecodedImage font = Built("DH3font1.png");
    ASSERT_EQ(font.width, 120u);
    ASSERT_GE(font.height / 8 * 15, 197u);
    std::map<int, int> table = GlyphTable();
    std::vector<int> printed = {151, 195};
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(GlyphFrame((unsigned char)c), table.count(c) ? table[c] : -1) << "character " << c;
        if (table.count(c)) printed.push_back(table[c]);
    }
    std::set<std::vector<bool>> shapes = {std::vector<bool>(64, false)};
    for (int frame : printed)
        EXPECT_TRUE(shapes.insert(Shape(font, frame, 8, 8)).second)
            << "glyph frame " << frame << " is empty or a repeat";
}

TEST(ContentPictures, WhipSheetsHoldALashInEveryFrameInThreeMaterials) {
    std::set<std::vector<unsigned char>> materials;
    for (const char* name : {"WhipLeather2.png", "WhipChain2.png", "WhipRune2.png"}) {
        DecodedImage whip = Built(name);
        ASSERT_EQ(whip.width, 384u) << name;
        ASSERT_GE(whip.height, 54u) << name;
        for (int frame = 0; frame < int(3 * (whip.height / 54)); ++frame)
            EXPECT_NE(Shape(whip, frame, 128, 54), std::vector<bool>(128 * 54, false)) << name << " frame " << frame;
        materials.insert(whip.rgba);
    }
    EXPECT_EQ(materials.size(), 3u);
}
