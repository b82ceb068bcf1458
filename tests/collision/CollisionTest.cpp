#include "collision/Collision.h"
#include <gtest/gtest.h>
#include <list>
#include <memory>
#include <random>
#include <string>
#include <vector>

using Collision::ICollision;
using Collision::Point;
using Collision::Rectangle;

namespace {
std::string Describe(const ICollision& shape) {
    if (shape.kind == 2) {
        const Rectangle& r = static_cast<const Rectangle&>(shape);
        return "R(" + std::to_string(r.min.x) + "," + std::to_string(r.min.y) + "," +
               std::to_string(r.size.x) + "," + std::to_string(r.size.y) + ")";
    }
    const Point& p = static_cast<const Point&>(shape);
    return "P(" + std::to_string(p.position.x) + "," + std::to_string(p.position.y) + ")";
}

std::vector<std::string> HitsOf(const ICollision& shape) {
    std::vector<std::string> out;
    for (const ICollision* hit : shape.GetHits()) out.push_back(Describe(*hit));
    return out;
}

size_t CountInWorld(const ICollision* shape) {
    size_t count = 0;
    for (const ICollision* s : TheCollisionWorld().Shapes()) count += s == shape;
    return count;
}

std::unique_ptr<Rectangle> Tile(float x, float y, uint32_t category) {
    auto tile = std::make_unique<Rectangle>(x, y, 24.0f, 24.0f);
    tile->category = category;
    return tile;
}
}

TEST(CollisionTest, EdgesAndCornersTouch) {
    auto tile = Tile(24, 48, 0x40);
    Point onTop(30, 48), onCorner(48, 72), justOutside(30, 47.99f), insideDepth(30, 60);
    for (Point* p : {&onTop, &onCorner, &justOutside, &insideDepth}) p->SetMask(0x40);
    insideDepth.SetPosition(Vector3(30, 60, 1.0f));  // z outside the flat tile

    Rectangle beside(48, 48, 24, 24), corner(0, 24, 24, 24), apart(72.01f, 48, 24, 24);
    for (Rectangle* r : {&beside, &corner, &apart}) r->SetMask(0x40);

    TheCollisionWorld().Update();
    EXPECT_EQ(HitsOf(onTop), std::vector<std::string>{Describe(*tile)});
    EXPECT_EQ(HitsOf(onCorner).size(), 1u);
    EXPECT_TRUE(HitsOf(justOutside).empty());
    EXPECT_TRUE(HitsOf(insideDepth).empty());
    EXPECT_EQ(HitsOf(beside), std::vector<std::string>{Describe(*tile)});
    EXPECT_EQ(HitsOf(corner).size(), 1u);
    EXPECT_TRUE(HitsOf(apart).empty());
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
    Vector3 centre = push(12, 12);
    EXPECT_EQ(centre.x, 12.0f);
    EXPECT_EQ(centre.y, 12.0f);
    EXPECT_EQ(centre.z, 0.0f);
}

TEST(CollisionTest, FilterSkipsSelfCategoryZeroAndUnmaskedShapes) {
    Rectangle a(0, 0, 10, 10), twin(0, 0, 10, 10), unseen(0, 0, 10, 10), other(0, 0, 10, 10);
    a.category = 0x40;
    a.SetMask(0x40);
    twin.category = 0x40;
    unseen.category = 0;
    other.category = 0x20;
    TheCollisionWorld().Update();
    EXPECT_EQ(a.GetHits().size(), 1u);  // the twin, never itself
    EXPECT_TRUE(twin.GetHits().empty());

    a.SetMask(0);  // a shape that stops looking keeps its last hits
    TheCollisionWorld().Update();
    EXPECT_EQ(a.GetHits().size(), 1u);
}

TEST(CollisionTest, HitsOutliveTheShapeThatWasHit) {
    Point probe(5, 5);
    probe.SetMask(0x40);
    auto tile = Tile(0, 0, 0x40);
    TheCollisionWorld().Update();
    tile.reset();
    ASSERT_EQ(probe.GetHits().size(), 1u);
    const ICollision* copy = probe.GetHits().front();
    EXPECT_EQ(Describe(*copy), "R(0.000000,0.000000,24.000000,24.000000)");
    EXPECT_EQ(copy->world, nullptr);
    TheCollisionWorld().Update();
    EXPECT_TRUE(probe.GetHits().empty());
}

TEST(CollisionTest, CopiesJoinTheWorldAtTheEndAndLeaveAlone) {
    Point probe(30, 10);
    probe.SetMask(0x40 | 0x20);
    std::list<Rectangle> tiles;
    Rectangle first(24, 0, 24, 24);
    first.category = 0x20;
    Rectangle second(0, 0, 48, 24);
    second.category = 0x40;
    size_t before = TheCollisionWorld().Shapes().size();
    tiles.push_back(first);  // the copy comes after `second` in world order
    EXPECT_EQ(TheCollisionWorld().Shapes().size(), before + 1);
    EXPECT_EQ(TheCollisionWorld().Shapes().back(), &tiles.back());
    EXPECT_EQ(tiles.back().category, 0x20u);

    TheCollisionWorld().Update();
    EXPECT_EQ(HitsOf(probe), (std::vector<std::string>{Describe(first), Describe(second), Describe(first)}));

    tiles.clear();
    EXPECT_EQ(TheCollisionWorld().Shapes().size(), before);
    EXPECT_EQ(CountInWorld(&first), 1u);
    Rectangle loose(0, 0, 1, 1, true);
    EXPECT_EQ(CountInWorld(&loose), 0u);
    Rectangle looseCopy(loose);
    EXPECT_EQ(looseCopy.world, nullptr);
}

// The indexed pass must give exactly the hits, in exactly the order, of
// testing every looking shape against every shape, whatever the shapes do.
TEST(CollisionTest, IndexedPassMatchesTheExhaustivePass) {
    std::mt19937 random(12345);
    auto coordinate = [&](float range) {
        return std::uniform_real_distribution<float>(-range, range)(random);
    };
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
        for (int i = 0; i < 5 && !rectangles.empty(); ++i) rectangles.erase(std::next(rectangles.begin(), pick(int(rectangles.size()))));

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
