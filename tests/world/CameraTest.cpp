#include "world/Camera.h"
#include <gtest/gtest.h>

namespace {
Vector3 FollowedTo(float x, float y) {
    TheCamera().Follow(Vector3(x, y, 0.0f));
    return Vector3(TheCamera().X(), TheCamera().Y(), 0.0f);
}
}

TEST(CameraTest, FollowKeepsTheHeroCentredWithinTheBoundsAndTheUpperClampsWin) {
    TheCamera().SetBounds(Vector3(0, 0, 0), Vector3(960, 240, 0));
    EXPECT_EQ(FollowedTo(100, 200), Vector3(0, 0, 0));
    EXPECT_EQ(FollowedTo(900, 10), Vector3(640, 0, 0));
    TheCamera().SetBounds(Vector3(0, 0, 0), Vector3(2000, 1000, 0));
    EXPECT_EQ(FollowedTo(600.5f, 500), Vector3(440.5f, 380, 0));

    // On a level narrower than the screen the upper clamps win.
    TheCamera().SetBounds(Vector3(0, 0, 0), Vector3(200, 100, 0));
    for (float x : {-500.0f, 100.0f, 5000.0f}) EXPECT_EQ(FollowedTo(x, x), Vector3(-120, -140, 0));
    TheCamera().MoveTo(Vector3(50, 50, 7));
    EXPECT_EQ(TheCamera().X(), -120.0f);

    TheCamera().SetBounds(Vector3(10, 20, 0), Vector3(1000, 1000, 0));
    TheCamera().MoveTo(Vector3(-5, -5, 0));
    EXPECT_EQ(Vector3(TheCamera().X(), TheCamera().Y(), 0), Vector3(10, 20, 0));
}
