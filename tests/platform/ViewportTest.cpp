#include "platform/Renderer.h"
#include <gtest/gtest.h>

TEST(Viewport, TheLargest4To3AreaIsCentredAndOddSizesTruncate) {
    const double aspect = 4.0 / 3.0;
    EXPECT_EQ(ComputeViewport(960, 720, aspect), (Viewport{0, 0, 960, 720}));
    EXPECT_EQ(ComputeViewport(1920, 1080, aspect), (Viewport{240, 0, 1440, 1080}));
    EXPECT_EQ(ComputeViewport(1366, 768, aspect), (Viewport{171, 0, 1024, 768}));
    EXPECT_EQ(ComputeViewport(1280, 1024, aspect), (Viewport{0, 32, 1280, 960}));
    EXPECT_EQ(ComputeViewport(321, 240, aspect), (Viewport{0, 0, 320, 240}));
    EXPECT_EQ(ComputeViewport(100, 1000, aspect), (Viewport{0, 462, 100, 75}));
}
