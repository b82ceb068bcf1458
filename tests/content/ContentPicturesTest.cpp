// The pictures the content tool makes for the game's data, read back with the game's own decoder
// and cut into frames the way the game cuts them.
#include "platform/PngDecode.h"
#include "platform/Sprite.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <gtest/gtest.h>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sys/stat.h>

namespace {
constexpr uint32_t kWhite = 0xFFFFFFFFu;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

Picture LoadPicture(const std::string& path) {
    std::string bytes = ReadTextFile(path);
    DecodedImage image;
    Picture picture;
    if (DecodePng(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 4096, image) != PngError::None) {
        ADD_FAILURE() << "cannot decode " << path;
        return picture;
    }
    picture.width = int(image.width);
    picture.height = int(image.height);
    for (size_t i = 0; i < image.rgba.size(); i += 4)
        picture.pixels.push_back(uint32_t(image.rgba[i]) | uint32_t(image.rgba[i + 1]) << 8 |
                                 uint32_t(image.rgba[i + 2]) << 16 | uint32_t(image.rgba[i + 3]) << 24);
    return picture;
}

// A picture of the game's data folder, which the build makes with the content tool.
Picture Built(const std::string& file) { return LoadPicture(BuiltDataDir() + "/" + file); }

// Frame n's pixels, cut as the game's sprite drawing cuts them, with the
// white key's pixels as 0.
std::vector<uint32_t> FramePixels(const Picture& picture, int frame, int width, int height, int gridWidth) {
    FrameOrigin corner = FindFrameOrigin(frame, width, height, gridWidth);
    std::vector<uint32_t> pixels;
    for (int y = int(corner.y); y < corner.y + height; ++y)
        for (int x = int(corner.x); x < corner.x + width; ++x)
            pixels.push_back(picture.At(x, y) == kWhite ? 0 : picture.At(x, y));
    return pixels;
}

bool HasInk(const std::vector<uint32_t>& pixels) {
    for (uint32_t pixel : pixels)
        if (pixel != 0) return true;
    return false;
}

std::vector<bool> Shape(const std::vector<uint32_t>& pixels) {
    std::vector<bool> shape;
    for (uint32_t pixel : pixels) shape.push_back(pixel != 0);
    return shape;
}

bool FullyOpaque(const Picture& picture) {
    for (uint32_t pixel : picture.pixels)
        if ((pixel >> 24) != 0xFF) return false;
    return true;
}

// The font frame of each character that has a glyph, written out so that the
// glyph table cannot drift from the font picture and stored texts unnoticed.
std::map<int, int> GlyphTable() {
    std::map<int, int> table = {{'[', 135}, {'!', 136}, {'?', 137}, {'.', 138}, {'-', 149}, {'=', 150},
                                {'\'', 152}, {',', 189}, {'&', 190}, {':', 191}, {'%', 193}, {7, 196},
                                {'/', 153},  {'\\', 154}, {'(', 155}, {')', 156}, {'_', 157}, {'<', 158}, {'>', 159}};
    for (int i = 0; i < 26; ++i) table['A' + i] = 109 + i, table['a' + i] = 163 + i;
    for (int i = 0; i < 10; ++i) table['0' + i] = 139 + i;
    return table;
}
}

TEST(ContentPictures, FontServesTheMenuCutAndTheTextCutWithItsOwnCapitals) {
    Picture font = Built("sprites/DH3font1.png");
    ASSERT_EQ(font.width, 120);
    ASSERT_GE(font.height / 8 * 15, 197);
    EXPECT_EQ(font.height % 8, 0);
    EXPECT_TRUE(FullyOpaque(font)) << "keyed pictures keep no partial alpha";
    int frames = font.width / 8 * (font.height / 8);
    for (int frame = 0; frame < frames; ++frame) {
        FrameOrigin menu = FindFrameOrigin(frame, 8, 8, 121), text = FindFrameOrigin(frame, 8, 8, 120);
        ASSERT_EQ(std::make_pair(menu.x, menu.y), std::make_pair(text.x, text.y)) << "frame " << frame;
        ASSERT_LT(text.y, font.height) << "frame " << frame;
    }

    // Every frame text printing draws: the table's and the pairs "<3" and "<-".
    std::map<int, int> table = GlyphTable();
    std::vector<int> printed = {151, 195};
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(GlyphFrame((unsigned char)c), table.count(c) ? table[c] : -1) << "character " << c;
        if (table.count(c)) printed.push_back(table[c]);
    }
    std::set<std::vector<bool>> shapes;
    for (int frame : printed) {
        std::vector<uint32_t> glyph = FramePixels(font, frame, 8, 8, 120);
        EXPECT_TRUE(HasInk(glyph)) << "glyph frame " << frame << " is empty";
        EXPECT_TRUE(shapes.insert(Shape(glyph)).second) << "glyph frame " << frame << " repeats another glyph";
    }

    // The menu's capitals are the printed ones in another colour.
    for (int letter = 0; letter < 26; ++letter) {
        std::vector<uint32_t> plain = FramePixels(font, letter, 8, 8, 121);
        std::vector<uint32_t> lit = FramePixels(font, letter + 109, 8, 8, 121);
        EXPECT_TRUE(HasInk(plain)) << char('A' + letter);
        EXPECT_EQ(Shape(plain), Shape(lit)) << char('A' + letter);
        size_t differing = 0;
        for (size_t i = 0; i < plain.size(); ++i) differing += plain[i] != lit[i];
        EXPECT_GT(differing, plain.size() / 8) << char('A' + letter) << " looks the same in both sets";
    }
}

TEST(ContentPictures, HeroSheetStandsInFrameZeroWithFeetOnTheLastRow) {
    Picture hero = Built("sprites/Aldric-Spriteset2.png");
    ASSERT_EQ(hero.width, 510);
    ASSERT_GE(hero.height, 48);
    EXPECT_EQ(hero.height % 48, 0);
    EXPECT_TRUE(FullyOpaque(hero));
    std::vector<uint32_t> standing = FramePixels(hero, 0, 51, 48, 510);
    ASSERT_TRUE(HasInk(standing));
    int top = 48, bottom = -1;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 51; ++x)
            if (standing[size_t(y * 51 + x)] != 0) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_EQ(bottom, 47) << "feet on the frame's last row";
    EXPECT_EQ(bottom - top + 1, 46) << "the hero is 46 pixels tall";
    // The game draws the frame 19 pixels left of the hero's position, the
    // middle of the body: the body must cover that column.
    for (int y : {10, 24, 40}) EXPECT_NE(standing[size_t(y * 51 + 19)], 0u) << "row " << y;
    for (int frame = 1; frame <= 4; ++frame) {
        std::vector<uint32_t> walking = FramePixels(hero, frame, 51, 48, 510);
        EXPECT_TRUE(HasInk(walking)) << "walk frame " << frame;
        EXPECT_NE(walking, standing) << "walk frame " << frame;
    }
}

TEST(ContentPictures, WhipSheetsHoldALashInEveryFrameInThreeMaterials) {
    std::vector<std::vector<uint32_t>> stretched;
    for (const char* name : {"WhipLeather2", "WhipChain2", "WhipRune2"}) {
        Picture whip = Built("sprites/" + std::string(name) + ".png");
        ASSERT_EQ(whip.width, 384) << name;
        ASSERT_GE(whip.height, 54) << name;
        EXPECT_EQ(whip.height % 54, 0) << name;
        EXPECT_TRUE(FullyOpaque(whip)) << name;
        int frames = 3 * (whip.height / 54);
        for (int frame = 0; frame < frames; ++frame)
            EXPECT_TRUE(HasInk(FramePixels(whip, frame, 128, 54, 384))) << name << " frame " << frame;
        stretched.push_back(FramePixels(whip, 3, 128, 54, 384));
    }
    EXPECT_EQ(std::set<std::vector<uint32_t>>(stretched.begin(), stretched.end()).size(), 3u);
}

TEST(ContentPictures, LogoFillsTheScreenAndLeavesThePromptStripDark) {
    Picture logo = Built("sprites/DH3 logo.png");
    ASSERT_EQ(logo.width, 320);
    ASSERT_EQ(logo.height, 240);
    EXPECT_TRUE(FullyOpaque(logo)) << "the logo is loaded without a key and fades as a whole";
    // "PRESS START" is printed at (110, 200): its strip must stay dark and
    // plain so that the prompt reads.
    for (int y = 195; y <= 212; ++y)
        for (int x = 100; x < 220; ++x) {
            uint32_t pixel = logo.At(x, y);
            int brightest = std::max({int(pixel & 0xFF), int(pixel >> 8 & 0xFF), int(pixel >> 16 & 0xFF)});
            ASSERT_LT(brightest, 40) << "at " << x << ", " << y;
        }
    std::set<uint32_t> colours(logo.pixels.begin(), logo.pixels.begin() + 320 * 120);
    EXPECT_GT(colours.size(), 32u) << "the upper half holds a drawn scene, not a flat fill";
}

TEST(ContentPictures, EveryPictureHasTheSizeTheContentReadmeGives) {
    std::string readme = ReadTextFile(std::string(DUSKHOLD_SOURCE_DIR) + "/content/README.md");
    std::regex row(R"(\|\s*`([^`]+\.png)`\s*\|\s*(\d+) x (\d+)\s*\|)");
    int rows = 0;
    for (std::sregex_iterator it(readme.begin(), readme.end(), row), end; it != end; ++it, ++rows) {
        std::string path = (*it)[1];
        for (char& c : path)
            if (c == '\\') c = '/';
        Picture picture = Built(path);
        EXPECT_EQ(picture.width, std::stoi((*it)[2])) << path;
        EXPECT_EQ(picture.height, std::stoi((*it)[3])) << path;
    }
    EXPECT_GE(rows, 6);
}

TEST(ContentPictures, BrokenArtSourcesFailTheToolWithTheirNames) {
    TempDir temp;
    std::string sources = temp / "sources";
    RunResult missing = RunProgram(ToolPath("content"), {sources, temp / "out", "font", "hero"});
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_NE(missing.output.find("art/font.txt"), std::string::npos) << missing.output;
    EXPECT_NE(missing.output.find("art/hero.txt"), std::string::npos) << missing.output;

    ASSERT_EQ(mkdir(sources.c_str(), 0755) + mkdir((sources + "/art").c_str(), 0755), 0);
    std::ofstream(sources + "/art/font.txt") << "X FF00FF\n. 00000000\n= A\nXXXXXXXX\n";
    RunResult partial = RunProgram(ToolPath("content"), {sources, temp / "out", "font"});
    EXPECT_NE(partial.exitCode, 0);
    EXPECT_NE(partial.output.find("glyph A does not leave room"), std::string::npos) << partial.output;
    EXPECT_NE(partial.output.find("has no glyph B"), std::string::npos) << partial.output;
}
