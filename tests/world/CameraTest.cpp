#include "world/Camera.h"
#include "world/PlayCamera.h"
#include <algorithm>
#include <cmath>
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

// The play camera on a stage of 2000 by 1000: the hero stands 96 px from the
// side behind him with his feet on row 160; a jump on the spot leaves the view
// still; a turn and a landing 72 px higher ease over, never more than a few
// pixels a step; a fall past his ground keeps his feet on row 160.
TEST(CameraTest, ThePlayCameraLeadsTurnsSmoothlyAndKeepsToTheGround) {
    TheCamera().SetBounds(Vector3(0, 0, 0), Vector3(2000, 1000, 0));
    PlayCamera camera(TheCamera());
    const auto view = [] { return Vector3(TheCamera().X(), TheCamera().Y(), 0); };
    camera.Snap({Vector3(1000, 600, 0), 1, true});
    EXPECT_EQ(view(), Vector3(904, 440, 0));
    for (float rise : {6.0f, 30.0f, 72.0f, 30.0f, 0.0f}) camera.Step({Vector3(1000, 600 - rise, 0), 1, rise == 0});
    EXPECT_EQ(view(), Vector3(904, 440, 0));
    Vector3 before = view();
    float fastest = 0;
    for (int step = 0; step < 150; ++step) {
        camera.Step({Vector3(1000, step < 20 ? 600 - 3.6f * float(step) : 528, 0), -1, step >= 20});
        fastest = std::max({fastest, std::fabs(view().x - before.x), std::fabs(view().y - before.y)});
        before = view();
    }
    EXPECT_EQ(view(), Vector3(776, 368, 0));
    EXPECT_LE(fastest, 4.0f);
    camera.Step({Vector3(1000, 700, 0), -1, false});
    EXPECT_EQ(view().y, 540.0f);
}
