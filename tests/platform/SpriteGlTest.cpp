#include "PngTestFiles.h"
#include "platform/Renderer.h"
#include "platform/Sprite.h"
#include "support/GlWindow.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
Color Opaque(unsigned char r, unsigned char g, unsigned char b) {
    return Color::FromBytes(r, g, b, 255);
}

// A sheet of 8 by 8 cells, each one solid colour that names its cell.
Color CellColor(uint32_t column, uint32_t row) { return Opaque(40 * column + 10, 100 * row + 50, 200); }

std::string WriteCellSheet(const std::string& dir, uint32_t columns, uint32_t rows,
                           Color (*color)(uint32_t, uint32_t)) {
    uint32_t width = columns * 8;
    std::vector<uint32_t> pixels(width * rows * 8);
    for (uint32_t y = 0; y < rows * 8; ++y)
        for (uint32_t x = 0; x < width; ++x) pixels[y * width + x] = color(x / 8, y / 8).value;
    std::string path = dir + "/sheet.png";
    WritePng(path, RgbaPicture(width, rows * 8, pixels));
    return path;
}

// One 8 by 8 frame in four quadrants: red, green on top; blue, white below.
std::string WriteQuadrants(const std::string& dir) {
    std::vector<uint32_t> pixels(64);
    for (uint32_t y = 0; y < 8; ++y)
        for (uint32_t x = 0; x < 8; ++x)
            pixels[y * 8 + x] = y < 4 ? (x < 4 ? Colors::Red : Opaque(0, 255, 0)).value
                                      : (x < 4 ? Colors::Blue : Colors::White).value;
    std::string path = dir + "/quadrants.png";
    WritePng(path, RgbaPicture(8, 8, pixels));
    return path;
}

// Font frame n is solid colour (n, 255 - n, 77), so a pixel tells its glyph.
Color GlyphColor(uint32_t column, uint32_t row) {
    uint32_t frame = row * 15 + column;
    return Opaque(frame, 255 - frame, 77);
}
Color GlyphColorOf(uint32_t frame) { return GlyphColor(frame % 15, frame / 15); }

const Color kBlack = Opaque(0, 0, 0);
const Color kGreen = Opaque(0, 255, 0);
}

TEST(SpriteGl, FramesFollowTheGridWidthAndScaleGrowsRightAndDown) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    Sprite sheet(WriteCellSheet(MakeTempDir(), 4, 2, CellColor).c_str(), Color(0), 8, 8, 24);
    EXPECT_EQ(sheet.gridWidth, 24);
    ClearScreen();
    for (int32_t frame = 0; frame < 5; ++frame)
        sheet.Draw(100 + 10 * frame, 50, frame, 0, 1.0f, 0, Color(0));
    EXPECT_EQ(window.Pixel(104, 54), CellColor(0, 0));
    EXPECT_EQ(window.Pixel(114, 54), CellColor(1, 0));
    EXPECT_EQ(window.Pixel(124, 54), CellColor(2, 0));
    EXPECT_EQ(window.Pixel(134, 54), CellColor(0, 1));
    EXPECT_EQ(window.Pixel(144, 54), CellColor(1, 1));

    ClearScreen();
    sheet.Draw(10, 10, 0, 0, 100.0f, 0, Color(0));
    EXPECT_EQ(window.Pixel(17, 17), CellColor(0, 0));
    EXPECT_EQ(window.Pixel(18, 14), kBlack);
    EXPECT_EQ(window.Pixel(14, 18), kBlack);
    sheet.Draw(40, 10, 1, 0, 2.0f, 0, Color(0));
    EXPECT_EQ(window.Pixel(40, 10), CellColor(1, 0));
    EXPECT_EQ(window.Pixel(55, 25), CellColor(1, 0));
    EXPECT_EQ(window.Pixel(56, 20), kBlack);
    EXPECT_EQ(window.Pixel(39, 20), kBlack);

    ClearScreen();
    sheet.xOffset = 3.0f;
    sheet.yOffset = 2.0f;
    sheet.Draw(60, 60, 0, 0, 1.0f, 0, Color(0));
    EXPECT_EQ(window.Pixel(63, 62), CellColor(0, 0));
    EXPECT_EQ(window.Pixel(62, 62), kBlack);
    EXPECT_EQ(window.Pixel(70, 69), CellColor(0, 0));
}

TEST(SpriteGl, FlipRotationAndTintOfAFrameAndNothingFromAnUnloadedSprite) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    Sprite frame(WriteQuadrants(MakeTempDir()).c_str(), Color(0), 8, 8);
    ClearScreen();
    frame.Draw(20, 20, 0, 1, 1.0f, 0, Color(0));
    EXPECT_EQ(window.Pixel(21, 21), kGreen);
    EXPECT_EQ(window.Pixel(26, 21), Colors::Red);
    EXPECT_EQ(window.Pixel(21, 26), Colors::White);
    EXPECT_EQ(window.Pixel(19, 21), kBlack);
    EXPECT_EQ(window.Pixel(28, 21), kBlack);

    // A quarter turn counter-clockwise as seen on the screen.
    frame.Draw(40, 20, 0, 0, 1.0f, 900, Color(0));
    EXPECT_EQ(window.Pixel(41, 21), kGreen);
    EXPECT_EQ(window.Pixel(41, 26), Colors::Red);
    EXPECT_EQ(window.Pixel(46, 26), Colors::Blue);
    EXPECT_EQ(window.Pixel(46, 21), Colors::White);
    frame.Draw(60, 20, 0, 0, 1.0f, -900, Color(0));
    EXPECT_EQ(window.Pixel(66, 21), Colors::Red);

    // Doubled and turned about (x + 4, y + 4): the quad swings up to y - 8.
    ClearScreen();
    frame.Draw(100, 100, 0, 0, 2.0f, 900, Color(0));
    EXPECT_EQ(window.Pixel(102, 94), kGreen);
    EXPECT_EQ(window.Pixel(102, 112), kBlack);
    EXPECT_EQ(window.Pixel(114, 106), Colors::Blue);

    // The tint modulates; an unloaded sprite draws nothing.
    ClearScreen();
    frame.Draw(10, 10, 0, 0, 1.0f, 0, Color(0xAAFFFFFFu));
    Color translucent = window.Pixel(16, 16);
    EXPECT_NEAR(translucent.R(), 0xAA, 1);
    EXPECT_NEAR(translucent.B(), 0xAA, 1);
    frame.Draw(30, 10, 0, 0, 1.0f, 0, Colors::Yellow);
    EXPECT_EQ(window.Pixel(36, 16), Opaque(255, 255, 0));
    EXPECT_EQ(window.Pixel(31, 11), Colors::Red);

    Sprite unloaded;
    unloaded.frameWidth = 8;
    unloaded.frameHeight = 8;
    unloaded.Draw(50, 10, 0, 0, 1.0f, 0, Color(0));
    EXPECT_EQ(window.Pixel(54, 14), kBlack);
}

TEST(SpriteGl, PrintTextDrawsGlyphCellsAndPrintLiteralKeepsPercentSigns) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    Sprite font(WriteCellSheet(MakeTempDir(), 15, 14, GlyphColor).c_str(), Color(0));
    EXPECT_EQ(font.frameWidth, 8);
    EXPECT_EQ(font.gridWidth, 120);
    ClearScreen();
    PrintText(font, 10, 20, 1, Color(0), "%s %d%%\n<3", "Ab", 5);
    EXPECT_EQ(window.Pixel(14, 24), GlyphColorOf(109));
    EXPECT_EQ(window.Pixel(22, 24), GlyphColorOf(164));
    EXPECT_EQ(window.Pixel(30, 24), kBlack);
    EXPECT_EQ(window.Pixel(38, 24), GlyphColorOf(144));
    EXPECT_EQ(window.Pixel(46, 24), GlyphColorOf(193));
    EXPECT_EQ(window.Pixel(14, 32), GlyphColorOf(151));

    PrintLiteral(font, 10, 100, 2, Color(0), "a%d");
    EXPECT_EQ(window.Pixel(25, 115), GlyphColorOf(163));
    EXPECT_EQ(window.Pixel(30, 108), GlyphColorOf(193));
    EXPECT_EQ(window.Pixel(46, 108), GlyphColorOf(166));

    // Text longer than the format buffer is cut, not overrun.
    std::string longText(20000, 'x');
    PrintText(font, 400, 0, 1, Color(0), "%s", longText.c_str());
}
