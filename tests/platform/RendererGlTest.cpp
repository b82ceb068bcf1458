#include "platform/Renderer.h"
#include "support/GlWindow.h"
#include <gtest/gtest.h>

TEST(Viewport, TheLargest4To3AreaIsCentredAndOddSizesTruncate) {
    const double aspect = 4.0 / 3.0;
    EXPECT_EQ(ComputeViewport(1366, 768, aspect), (Viewport{171, 0, 1024, 768}));
    EXPECT_EQ(ComputeViewport(321, 240, aspect), (Viewport{0, 0, 320, 240}));
    EXPECT_EQ(ComputeViewport(100, 1000, aspect), (Viewport{0, 462, 100, 75}));
}

TEST(RendererGl, FillRectLandsOnLogicalPixelsAndBlends) {
    GlWindow window(960, 720);
    ASSERT_TRUE(window.Open());
    EXPECT_EQ(CurrentViewport(), (Viewport{0, 0, 960, 720}));
    ClearScreen();
    FillRect(10, 20, 30, 40, Color(0xFF0000FFu));  // opaque red
    FillRect(10, 20, 30, 40, Color(0x80FF0000u));  // half blue over it
    // Logical (10, 20) is window (30, 60) at three pixels per logical pixel.
    Color blended = window.Pixel(31, 61);
    EXPECT_NEAR(blended.R(), 127, 2);
    EXPECT_EQ(blended.G(), 0);
    EXPECT_NEAR(blended.B(), 128, 2);
    ExpectPixels(window, {{29, 61, Color(0xFF000000u)}, {120, 61, Color(0xFF000000u)}});
}

TEST(RendererGl, WideWindowGetsBlackBarsBesideTheLogicalScreen) {
    GlWindow window(1920, 1080);
    ASSERT_TRUE(window.Open());
    EXPECT_EQ(CurrentViewport(), (Viewport{240, 0, 1440, 1080}));
    ClearScreen();
    FillRect(0, 0, 320, 240, Color(0xFF00FF00u));  // the whole logical screen green
    ExpectPixels(window, {{100, 500, Color(0xFF000000u)}, {240, 500, Color(0xFF00FF00u)},
                          {1679, 500, Color(0xFF00FF00u)}, {1680, 500, Color(0xFF000000u)}});
    // A resize to 1280 by 1024 keeps 4:3 with bars above and below.
    ResizeViewport(1280, 1024);
    EXPECT_EQ(CurrentViewport(), (Viewport{0, 32, 1280, 960}));
}
