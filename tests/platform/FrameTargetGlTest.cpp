#include "PngTestFiles.h"
#include "platform/FrameTarget.h"
#include "platform/Renderer.h"
#include "platform/Sprite.h"
#include "support/GlWindow.h"
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
// Two 8 by 8 pictures, each with a transparent quarter, so that blending,
// the order of quads and the switches between textures all show.
struct Sheets {
    TempDir dir;
    Sprite warm, cold;
    Sheets() {
        WritePng(dir / "warm.png", Picture(0xFF2080F0u));
        WritePng(dir / "cold.png", Picture(0xFFF08020u));
        warm.Load((dir / "warm.png").c_str(), Color(0), 8, 8);
        cold.Load((dir / "cold.png").c_str(), Color(0), 8, 8);
    }
    static PngTestPicture Picture(uint32_t colour) {
        std::vector<uint32_t> pixels(64, colour);
        for (uint32_t y = 0; y < 4; ++y) std::fill_n(&pixels[y * 8], 4, 0u);
        return RgbaPicture(8, 8, pixels);
    }
};

// Runs of one texture, switches, overlaps, tints, flips, scales, turns and
// untextured rectangles, all on whole logical pixels.
void DrawScene(const Sheets& sheets, bool withTurns) {
    FillRect(0, 0, 320, 240, Color::FromBytes(30, 40, 50, 255));
    for (int i = 0; i < 12; ++i) sheets.warm.Draw(10 + 6 * i, 20, 0, i % 2, 1.0f, 0, Color(0));
    sheets.cold.Draw(40, 22, 0, 0, 3.0f, 0, Color::FromBytes(255, 255, 255, 128));
    sheets.warm.Draw(44, 24, 0, 0, 2.0f, 0, Color(0));
    FillRect(30, 18, 50, 10, Color::FromBytes(200, 0, 0, 90));
    if (withTurns) {
        sheets.cold.Draw(100, 100, 0, 0, 4.0f, 900, Color(0));
        sheets.warm.Draw(150, 100, 0, 0, 4.0f, 450, Color(0));
    }
    sheets.cold.Draw(312, 232, 0, 1, 1.0f, 0, Color(0));
}

// The scene recorded as a frame must leave the picture drawing it straight leaves.
void ExpectFrameMatchesStraightDrawing(int width, int height, bool withTurns) {
    GlWindow window(width, height);
    ASSERT_TRUE(window.Open());
    ASSERT_TRUE(FrameTargetInUse());
    Sheets sheets;
    ShowNextFrame();
    BeginFrame();
    DrawScene(sheets, withTurns);
    EXPECT_TRUE(EndFrame(false));
    std::vector<uint32_t> frame = ReadScreen(width, height);
    ClearScreen();
    DrawScene(sheets, withTurns);
    EXPECT_TRUE(frame == ReadScreen(width, height)) << width << " by " << height;
}
}

TEST(FrameTargetGl, RecordedFrameShowsWhatDrawingStraightShows) {
    // One window pixel per logical pixel: every quad, turned ones too, lands
    // as drawn one by one; at three window pixels per logical pixel the
    // scaled-up picture is the one drawn at the window's size.
    ExpectFrameMatchesStraightDrawing(320, 240, true);
    ExpectFrameMatchesStraightDrawing(960, 720, false);
}

TEST(FrameTargetGl, StillFramesAreNotShownAgain) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    auto frame = [](Color colour, bool mustShow) {
        BeginFrame();
        FillRect(5, 5, 20, 20, colour);
        return EndFrame(mustShow);
    };
    const Color red = Color::FromBytes(255, 0, 0, 255), blue = Color::FromBytes(0, 0, 255, 255);
    EXPECT_TRUE(frame(red, false));
    EXPECT_FALSE(frame(red, false));
    EXPECT_TRUE(frame(blue, false));
    EXPECT_EQ(window.Pixel(10, 10), blue);
    EXPECT_FALSE(frame(blue, false));
    EXPECT_TRUE(frame(blue, true)) << "a screenshot needs the picture in the window";
    ShowNextFrame();
    EXPECT_TRUE(frame(blue, false)) << "an uncovered or resized window needs the picture again";
    EXPECT_FALSE(frame(blue, false));
    // A texture loaded in between may reuse a name the same quads refer to.
    Sheets sheets;
    EXPECT_TRUE(frame(blue, false));
    EXPECT_EQ(window.Pixel(10, 10), blue);
}

TEST(FrameTargetGl, WideWindowKeepsBlackBarsBesideTheScaledPicture) {
    GlWindow window(1000, 720);
    ASSERT_TRUE(window.Open());
    // Whatever the window held before, the bars end up black.
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    BeginFrame();
    FillRect(0, 0, 320, 240, Color::FromBytes(0, 255, 0, 255));
    ASSERT_TRUE(EndFrame(false));
    const Color black = Color::FromBytes(0, 0, 0, 255), green = Color::FromBytes(0, 255, 0, 255);
    ExpectPixels(window, {{19, 300, black}, {20, 300, green}, {979, 300, green}, {980, 300, black}});
}
