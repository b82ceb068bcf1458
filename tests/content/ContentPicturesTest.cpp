// The font, hero, whip and status bar pictures the content tool makes for the game's data, read
// back with the game's own decoder and cut into frames the way the game cuts them.
#include "platform/PngDecode.h"
#include "platform/Sprite.h"
#include "player/Whip.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include "things/ThingPlacement.h"
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

// The pixels of frame n, cut from a sheet as wide as the picture, as RGB with
// the white key as 0 (so an empty frame is all 0).
std::vector<uint32_t> Pixels(const DecodedImage& sheet, int frame, int width, int height) {
    FrameOrigin corner = FindFrameOrigin(frame, width, height, int(sheet.width));
    std::vector<uint32_t> pixels;
    for (size_t y = size_t(corner.y); y < size_t(corner.y + height); ++y)
        for (size_t x = size_t(corner.x); x < size_t(corner.x + width); ++x) {
            const unsigned char* p = &sheet.rgba[(y * sheet.width + x) * 4];
            uint32_t rgb = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
            pixels.push_back(rgb == 0xFFFFFF && p[3] == 0xFF ? 0 : rgb);
        }
    return pixels;
}

// Which pixels of frame n are not the white key.
std::vector<bool> Shape(const DecodedImage& sheet, int frame, int width, int height) {
    std::vector<bool> shape;
    for (uint32_t pixel : Pixels(sheet, frame, width, height)) shape.push_back(pixel != 0);
    return shape;
}

// The font frame of each character that has a glyph, written out so that the
// glyph table cannot drift from the font picture and stored texts unnoticed.
std::map<int, int> GlyphTable() {
    std::map<int, int> table = {{'[', 135}, {'!', 136}, {'?', 137}, {'.', 138}, {'-', 149}, {'=', 150}, {'\'', 152},
                                {',', 189}, {'&', 190}, {':', 191}, {'%', 193}, {7, 196},   {'/', 153}, {'\\', 154},
                                {'(', 155}, {')', 156}, {'_', 157}, {'<', 158}, {'>', 159}, {'+', 192}};
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
        ASSERT_EQ(whip.height, 94u * 3) << name;
        for (int frame = 0; frame < Whip::kFrameCount; ++frame)
            EXPECT_NE(Shape(whip, frame, 128, 94), std::vector<bool>(128 * 94, false)) << name << " frame " << frame;
        materials.insert(whip.rgba);
    }
    EXPECT_EQ(materials.size(), 3u);
}

// Every frame of the hero's two rows, the status bar and the things holds a picture of
// its own; a status bar picture is edged all round by its dark outline, never
// cut by its frame.
TEST(ContentPictures, HeroHudAndEnemySheetsHoldADistinctPictureInEveryFrame) {
    struct Sheet {
        const char* name;
        unsigned width, height;
        int w, h, frames;
        bool outlined;
    };
    for (Sheet s : {Sheet{"Aldric-Spriteset2.png", 510, 96, 51, 48, 16, false},
                    Sheet{"hud.png", 70, 10, 10, 10, 7, true}, Sheet{"things.png", 288, 24, 24, 24, 12, false},
                    Sheet{"enemies.png", 256, 96, 32, 48, BurstFrame() + kBurstFrames, true},
                    Sheet{"guardian.png", 384, 64, 64, 64, 6, true}}) {
        DecodedImage sheet = Built(s.name);
        ASSERT_EQ(sheet.width, s.width) << s.name;
        ASSERT_EQ(sheet.height, s.height) << s.name;
        std::set<std::vector<uint32_t>> pictures = {std::vector<uint32_t>(size_t(s.w * s.h), 0)};
        for (int frame = 0; frame < s.frames; ++frame) {
            std::vector<uint32_t> pixels = Pixels(sheet, frame, s.w, s.h);
            EXPECT_TRUE(pictures.insert(pixels).second) << s.name << " frame " << frame << " is empty or a repeat";
            auto key = [&](int x, int y) {
                return x < 0 || y < 0 || x >= s.w || y >= s.h || !pixels[size_t(y * s.w + x)];
            };
            for (int y = 0; y < s.h && s.outlined; ++y)
                for (int x = 0; x < s.w; ++x)
                    if (!key(x, y) && (key(x - 1, y) || key(x + 1, y) || key(x, y - 1) || key(x, y + 1))) {
                        EXPECT_EQ(pixels[size_t(y * s.w + x)], 0x160E1Au)
                            << s.name << " " << frame << " " << x << "," << y;
                    }
        }
    }
}
