#include "collision/Collision.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <list>
#include <random>
#include <string>

using Collision::ICollision;
using Collision::Point;
using Collision::Rectangle;

namespace {
// The kind and the box of a shape, to compare hits by value.
std::string Describe(const ICollision& shape) {
    float box[4] = {};
    shape.Bounds(box[0], box[1], box[2], box[3]);
    std::string out = std::to_string(shape.kind);
    for (float v : box) out += "," + std::to_string(v);
    return out;
}

std::vector<std::string> HitsOf(const ICollision& shape) {
    std::vector<std::string> out;
    for (const ICollision* hit : shape.GetHits()) out.push_back(Describe(*hit));
    return out;
}
}

TEST(CollisionTest, EdgesAndCornersTouch) {
    Rectangle tile(24, 48, 24, 24);
    tile.category = 0x40;
    Point onTop(30, 48), onCorner(48, 72), justOutside(30, 47.99f), insideDepth(30, 60);
    for (Point* p : {&onTop, &onCorner, &justOutside, &insideDepth}) p->SetMask(0x40);
    insideDepth.SetPosition(Vector3(30, 60, 1.0f));  // z outside the flat tile

    Rectangle beside(48, 48, 24, 24), corner(0, 24, 24, 24), apart(72.01f, 48, 24, 24);
    for (Rectangle* r : {&beside, &corner, &apart}) r->SetMask(0x40);

    TheCollisionWorld().Update();
    EXPECT_EQ(HitsOf(onTop), std::vector<std::string>{Describe(tile)});
    EXPECT_EQ(HitsOf(onCorner).size(), 1u);
    EXPECT_TRUE(HitsOf(justOutside).empty());
    EXPECT_TRUE(HitsOf(insideDepth).empty());
    EXPECT_EQ(HitsOf(beside), std::vector<std::string>{Describe(tile)});
    EXPECT_EQ(HitsOf(corner).size(), 1u);
    EXPECT_TRUE(HitsOf(apart).empty());
    // What Collide answers: a rectangle whether it recorded the other, a point
    // only whether it is at the other point, not whether it lies in a tile.
    EXPECT_TRUE(beside.Collide(tile));
    EXPECT_FALSE(apart.Collide(tile));
    EXPECT_FALSE(onTop.Collide(tile));
    EXPECT_TRUE(onTop.Collide(Point(30, 48, true)));
}

TEST(CollisionTest, PushOutOfGoesToTheNearerEdge) {
    Rectangle tile(0, 0, 24, 24, true);
    auto push = [&](float x, float y) { return Point(x, y, true).PushOutOf(tile); };
    EXPECT_EQ(push(5, 3).y, -3.0f);
    EXPECT_EQ(push(5, 15).y, 9.0f);
    EXPECT_EQ(push(5, 12).y, 12.0f);
    EXPECT_EQ(push(3, 5).x, -3.0f);
    EXPECT_EQ(push(20, 5).x, 4.0f);
    EXPECT_EQ(push(-5, 5).x, 5.0f);  // left of the centre though outside
    EXPECT_EQ(push(12, 12), Vector3(12, 12, 0));
}

TEST(CollisionTest, FilterSkipsSelfCategoryZeroAndUnmaskedShapes) {
    Rectangle a(0, 0, 10, 10), twin(0, 0, 10, 10), unseen(0, 0, 10, 10), other(0, 0, 10, 10);  // unseen: category 0
    a.category = 0x40;
    a.SetMask(0x40);
    twin.category = 0x40;
    other.category = 0x20;
    TheCollisionWorld().Update();
    EXPECT_EQ(a.GetHits().size(), 1u);  // the twin, never itself
    EXPECT_TRUE(twin.GetHits().empty());

    a.SetMask(0);  // a shape that stops looking keeps its last hits
    TheCollisionWorld().Update();
    EXPECT_EQ(a.GetHits().size(), 1u);
}

TEST(CollisionTest, CopiesJoinTheWorldAtTheEndAndLeaveAlone) {
    Point probe(30, 10);
    probe.SetMask(0x40 | 0x20);
    std::list<Rectangle> tiles;
    Rectangle first(24, 0, 24, 24);
    first.category = 0x20;
    Rectangle second(0, 0, 48, 24);
    second.category = 0x40;
    // Asked afresh each time: the world closes the holes of removed shapes then.
    auto shapes = []() -> const std::vector<ICollision*>& { return TheCollisionWorld().Shapes(); };
    size_t before = shapes().size();
    tiles.push_back(first);  // the copy comes after `second` in world order
    EXPECT_EQ(shapes().size(), before + 1);
    EXPECT_EQ(shapes().back(), &tiles.back());

    TheCollisionWorld().Update();
    EXPECT_EQ(HitsOf(probe), (std::vector<std::string>{Describe(first), Describe(second), Describe(first)}));

    tiles.clear();
    EXPECT_EQ(shapes().size(), before);
    EXPECT_EQ(std::count(shapes().begin(), shapes().end(), &first), 1);
    Rectangle loose(0, 0, 1, 1, true), looseCopy(loose);
    EXPECT_EQ(looseCopy.world, nullptr);
}

// The indexed pass must give exactly the hits, in exactly the order, of
// testing every looking shape against every shape, whatever the shapes do.
TEST(CollisionTest, IndexedPassMatchesTheExhaustivePass) {
    std::mt19937 random(12345);
    auto coordinate = [&](float range) { return std::uniform_real_distribution<float>(-range, range)(random); };
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    const uint32_t categories[] = {0, 0x2, 0x20, 0x40};
    std::list<Rectangle> rectangles;
    std::list<Point> points;
    size_t hitCount = 0;
    for (int round = 0; round < 40; ++round) {
        for (int i = 0; i < 30; ++i) {
            float size = pick(8) == 0 ? coordinate(5000) : coordinate(40) + 20;  // some huge or inverted
            Rectangle& r = rectangles.emplace_back(std::round(coordinate(300)), std::round(coordinate(300)),
                                                   pick(3) ? std::round(size) : size, std::round(coordinate(30)));
            r.category = categories[pick(4)];
            if (pick(5) == 0) r.SetMask(categories[pick(4)], categories[pick(4)]);
            Point& p = points.emplace_back(std::round(coordinate(300)), std::round(coordinate(300)));
            p.category = categories[pick(4)];
            if (pick(3) == 0) p.SetMask(categories[pick(4)], categories[pick(4)]);
        }
        for (Rectangle& r : rectangles)
            if (pick(4) == 0) r.SetPosition(Vector3(std::round(coordinate(300)), std::round(coordinate(300)), 0));
        for (Point& p : points)
            if (pick(4) == 0) p.SetPosition(Vector3(std::round(coordinate(300)), coordinate(300), 0));
        if (pick(2) == 0) rectangles.push_back(rectangles.front());
        for (int i = 0; i < 5 && !rectangles.empty(); ++i)
            rectangles.erase(std::next(rectangles.begin(), pick(int(rectangles.size()))));

        std::vector<std::vector<std::string>> fast, exhaustive;
        TheCollisionWorld().Update();
        for (const ICollision* s : TheCollisionWorld().Shapes()) fast.push_back(HitsOf(*s));
        TheCollisionWorld().UpdateExhaustive();
        for (const ICollision* s : TheCollisionWorld().Shapes()) exhaustive.push_back(HitsOf(*s));
        ASSERT_EQ(fast, exhaustive) << "round " << round;
        for (const auto& hits : fast) hitCount += hits.size();
    }
    EXPECT_GT(hitCount, 1000u);
}
