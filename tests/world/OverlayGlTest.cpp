#include "ScenePictures.h"
#include "collision/Collision.h"
#include "platform/Renderer.h"
#include "support/GlWindow.h"
#include <gtest/gtest.h>
#include <list>
#include <random>

// The overlay skips shapes that cannot reach the screen; the picture must be
// the one drawing every registered shape in world order gives.
TEST(OverlayGl, SkippingUnseenShapesLeavesThePictureUnchanged) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    std::mt19937 random(99);
    auto coordinate = [&](int low, int high) { return float(low + int(random() % unsigned(high - low + 1))); };
    const uint32_t categories[] = {0, 0x2, 0x20, 0x40, 0x800, 0x12345};
    std::list<Collision::Rectangle> rectangles;
    std::list<Collision::Point> points;
    for (int i = 0; i < 600; ++i) {
        Collision::Rectangle& r = rectangles.emplace_back(coordinate(-400, 900), coordinate(-400, 700),
                                                          coordinate(-3, 60), coordinate(-3, 60));
        r.category = categories[random() % 6];
        Collision::Point& p = points.emplace_back(coordinate(-400, 900) + 0.5f, coordinate(-400, 700));
        p.category = categories[random() % 6];
    }
    // Points just left of and above the screen still show a pixel; the
    // offsets -320 and -64 put the screen's edges on cell boundaries.
    for (float edge : {320.0f, 64.0f}) {
        for (float along = -400; along < 700; along += 7) {
            points.emplace_back(edge - 1.5f, along).category = 0x40;
            points.emplace_back(along, edge / 2 - 1.5f).category = 0x20;
        }
    }
    for (float offset : {0.0f, -300.5f, 250.0f, -577.25f, -320.0f, -64.0f}) {
        ClearScreen();
        TheCollisionWorld().DrawAll(offset, offset / 2);
        std::vector<uint32_t> culled = ReadScreen(320, 240);
        ClearScreen();
        for (const Collision::ICollision* shape : TheCollisionWorld().Shapes())
            shape->DebugDraw(offset, offset / 2);
        EXPECT_TRUE(culled == ReadScreen(320, 240)) << "offset " << offset;
    }
}
