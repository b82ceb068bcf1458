#include "PngTestFiles.h"
#include "platform/Renderer.h"
#include "platform/Sprite.h"
#include "support/GlWindow.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
Color Opaque(unsigned char r, unsigned char g, unsigned char b) { return Color::FromBytes(r, g, b, 255); }

// A sheet of 8 by 8 cells, each one solid colour that names its cell.
Color CellColor(uint32_t column, uint32_t row) { return Opaque(40 * column + 10, 100 * row + 50, 200); }

std::string WriteCellSheet(const TempDir& dir, uint32_t columns, uint32_t rows, Color (*color)(uint32_t, uint32_t)) {
    uint32_t width = columns * 8;
    std::vector<uint32_t> pixels(width * rows * 8);
    for (uint32_t y = 0; y < rows * 8; ++y)
        for (uint32_t x = 0; x < width; ++x) pixels[y * width + x] = color(x / 8, y / 8).value;
    WritePng(dir / "sheet.png", RgbaPicture(width, rows * 8, pixels));
    return dir / "sheet.png";
}

// Font frame n is solid colour (n, 255 - n, 77), so a pixel tells its glyph.
Color GlyphColor(uint32_t column, uint32_t row) { return Opaque(row * 15 + column, 255 - (row * 15 + column), 77); }
Color GlyphColorOf(uint32_t frame) { return GlyphColor(frame % 15, frame / 15); }

const Color kBlack = Opaque(0, 0, 0), kGreen = Opaque(0, 255, 0);
using SpriteGl = GlTest;
}

TEST_F(SpriteGl, FramesFollowTheGridWidthAndScaleGrowsRightAndDown) {
    TempDir dir;
    Sprite sheet(WriteCellSheet(dir, 4, 2, CellColor).c_str(), Color(0), 8, 8, 24);
    ClearScreen();
    for (int32_t frame = 0; frame < 5; ++frame) sheet.Draw(100 + 10 * frame, 50, frame, 0, 1.0f, 0, Color(0));
    sheet.Draw(10, 10, 0, 0, 100.0f, 0, Color(0));
    sheet.Draw(40, 10, 1, 0, 2.0f, 0, Color(0));
    sheet.xOffset = 3.0f;
    sheet.yOffset = 2.0f;
    sheet.Draw(60, 60, 0, 0, 1.0f, 0, Color(0));
    ExpectPixels(window, {{104, 54, CellColor(0, 0)}, {114, 54, CellColor(1, 0)}, {124, 54, CellColor(2, 0)},
                          {134, 54, CellColor(0, 1)}, {144, 54, CellColor(1, 1)}, {17, 17, CellColor(0, 0)},
                          {18, 14, kBlack}, {14, 18, kBlack}, {40, 10, CellColor(1, 0)}, {55, 25, CellColor(1, 0)},
                          {56, 20, kBlack}, {39, 20, kBlack}, {63, 62, CellColor(0, 0)}, {62, 62, kBlack},
                          {70, 69, CellColor(0, 0)}});
}

TEST_F(SpriteGl, FlipRotationAndTintOfAFrameAndNothingFromAnUnloadedSprite) {
    // One 8 by 8 frame in four quadrants: red, green on top; blue, white below.
    TempDir dir;
    std::vector<uint32_t> pixels(64);
    for (uint32_t y = 0; y < 8; ++y)
        for (uint32_t x = 0; x < 8; ++x)
            pixels[y * 8 + x] = (y < 4 ? (x < 4 ? Colors::Red : kGreen) : (x < 4 ? Colors::Blue : Colors::White)).value;
    WritePng(dir / "quadrants.png", RgbaPicture(8, 8, pixels));
    Sprite frame((dir / "quadrants.png").c_str(), Color(0), 8, 8);
    ClearScreen();
    frame.Draw(20, 20, 0, 1, 1.0f, 0, Color(0));
    frame.Draw(40, 20, 0, 0, 1.0f, 900, Color(0));  // a quarter turn counter-clockwise on the screen
    frame.Draw(60, 20, 0, 0, 1.0f, -900, Color(0));
    frame.Draw(100, 100, 0, 0, 2.0f, 900, Color(0));  // doubled, turned about (x + 4, y + 4)
    frame.Draw(10, 200, 0, 0, 1.0f, 0, Color(0xAAFFFFFFu));
    frame.Draw(30, 200, 0, 0, 1.0f, 0, Colors::Yellow);
    Sprite unloaded;
    unloaded.frameWidth = unloaded.frameHeight = 8;
    unloaded.Draw(50, 200, 0, 0, 1.0f, 0, Color(0));
    ExpectPixels(window, {{21, 21, kGreen}, {26, 21, Colors::Red}, {21, 26, Colors::White}, {19, 21, kBlack},
                          {28, 21, kBlack}, {41, 21, kGreen}, {41, 26, Colors::Red}, {46, 26, Colors::Blue},
                          {46, 21, Colors::White}, {66, 21, Colors::Red}, {102, 94, kGreen}, {102, 112, kBlack},
                          {114, 106, Colors::Blue}, {36, 206, Opaque(255, 255, 0)}, {31, 201, Colors::Red},
                          {54, 204, kBlack}});
    Color translucent = window.Pixel(16, 206);
    EXPECT_NEAR(translucent.R(), 0xAA, 1);
    EXPECT_NEAR(translucent.B(), 0xAA, 1);
}

TEST_F(SpriteGl, PrintTextDrawsGlyphCellsAndPrintLiteralKeepsPercentSigns) {
    TempDir dir;
    Sprite font(WriteCellSheet(dir, 15, 14, GlyphColor).c_str(), Color(0));
    EXPECT_EQ(font.gridWidth, 120);
    ClearScreen();
    PrintText(font, 10, 20, 1, Color(0), "%s %d%%\n<3", "Ab", 5);
    PrintLiteral(font, 10, 100, 2, Color(0), "a%d");
    ExpectPixels(window, {{14, 24, GlyphColorOf(109)}, {22, 24, GlyphColorOf(164)}, {30, 24, kBlack},
                          {38, 24, GlyphColorOf(144)}, {46, 24, GlyphColorOf(193)}, {14, 32, GlyphColorOf(151)},
                          {25, 115, GlyphColorOf(163)}, {30, 108, GlyphColorOf(193)}, {46, 108, GlyphColorOf(166)}});
    // Text longer than the format buffer is cut, not overrun.
    PrintText(font, 400, 0, 1, Color(0), "%s", std::string(20000, 'x').c_str());
}
