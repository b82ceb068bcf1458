#include "platform/Renderer.h"
#include "support/GlWindow.h"
#include <gtest/gtest.h>

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
    EXPECT_EQ(window.Pixel(29, 61), Color(0xFF000000u));
    EXPECT_EQ(window.Pixel(30 + 90, 61), Color(0xFF000000u));
}

TEST(RendererGl, WideWindowGetsBlackBarsBesideTheLogicalScreen) {
    GlWindow window(1920, 1080);
    ASSERT_TRUE(window.Open());
    EXPECT_EQ(CurrentViewport(), (Viewport{240, 0, 1440, 1080}));
    ClearScreen();
    FillRect(0, 0, 320, 240, Color(0xFF00FF00u));  // the whole logical screen green
    EXPECT_EQ(window.Pixel(100, 500), Color(0xFF000000u));
    EXPECT_EQ(window.Pixel(240, 500), Color(0xFF00FF00u));
    EXPECT_EQ(window.Pixel(1679, 500), Color(0xFF00FF00u));
    EXPECT_EQ(window.Pixel(1680, 500), Color(0xFF000000u));
    // A resize to 1280 by 1024 keeps 4:3 with bars above and below.
    ResizeViewport(1280, 1024);
    EXPECT_EQ(CurrentViewport(), (Viewport{0, 32, 1280, 960}));
}
