// A frame records only the quads that can reach the logical screen, and
// draws them in fewer calls, with the same picture.
#include "collision/Collision.h"
#include "core/EntityManager.h"
#include "platform/DataDir.h"
#include "platform/DrawList.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include "things/StageRecord.h"
#include "things/Thing.h"
#include "things/ThingPlacement.h"
#include "world/Camera.h"
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <random>

namespace {
template <typename Draw>
DrawList Recorded(Draw draw) {
    DrawList list;
    RecordQuadsInto(&list);
    draw();
    RecordQuadsInto(nullptr);
    return list;
}
using Culling = GlTest;
}

TEST_F(Culling, ThingsAndOutlinesOffTheScreenSubmitNothing) {
    std::string error;
    ASSERT_TRUE(EnterDataDir(BuiltDataDir(), error)) << error;
    TheCamera().SetBounds(Vector3(-100000, -100000, 0), Vector3(100000, 100000, 0));
    TheCamera().MoveTo(Vector3(0, 0, 0));
    StageRecord record;
    ThingStage stage{record, nullptr, HeroContact(nullptr)};
    EntityManager entities;
    for (int32_t x : {5000, -300, 160})
        entities.Add(MakeThing(PlacedThing{FindThingKind("lantern"), {{"x", x}, {"y", 200}}, size_t(x)}, stage));
    EXPECT_EQ(Recorded([&] { entities.Draw(); }).Size(), 1u);
    // Beside and below the screen, within the overlay's cells; on it, with the lantern's box.
    Collision::Rectangle left(-20, 100, 10, 10), below(100, 250, 10, 10), shown(100, 100, 10, 10);
    EXPECT_EQ(Recorded([] { TheCollisionWorld().DrawAll(0, 0); }).Size(), 2u * 5u);
}

// Overlapping and separate quads, on the pixel grid and between it, turned,
// drawn from either side, off the screen: recorded and drawn together they
// give every pixel the colour they give drawn one by one, in fewer calls.
TEST_F(Culling, ARecordedFrameIsThePictureOfItsQuadsDrawnOneByOne) {
    unsigned textures[4] = {0};
    std::vector<uint8_t> texels(64);
    for (unsigned& name : {std::ref(textures[1]), std::ref(textures[2]), std::ref(textures[3])}) {
        for (uint8_t& texel : texels) texel = uint8_t(texel * 37 + 53 + name);
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    }
    auto drawQuads = [&] {
        std::mt19937 random(36);
        auto n = [&](int low, int high) { return float(std::uniform_int_distribution<int>(low, high)(random)); };
        for (int i = 0; i < 3000; ++i) {
            const bool grid = n(0, 3) != 0;
            const float x = grid ? 8 * n(-5, 44) : n(-400, 3600) / 10, y = grid ? 8 * n(-5, 34) : n(-400, 2800) / 10;
            const QuadTurn turn{x, y, n(0, 9) == 0 ? n(1, 359) : 0.0f};
            const Color color = Color::FromBytes(uint8_t(n(0, 255)), uint8_t(n(0, 255)), 99, uint8_t(n(40, 255)));
            BlendQuad(textures[int(n(0, 3))], turn, x, y, 0, n(-2, 8) * (grid ? 8 : 3), n(1, 8) * (grid ? 8 : 3), color,
                      0, 0, 1, 1);
        }
    };
    ClearScreen();
    drawQuads();
    const std::vector<uint32_t> oneByOne = ReadScreen(320, 240);
    DrawList list = Recorded(drawQuads);
    ClearScreen();
    EXPECT_LT(list.Draw(), list.Size() / 2);
    EXPECT_TRUE(ReadScreen(320, 240) == oneByOne);
}

// However far a quad turns about its pivot, its box holds where its corners
// go: a quad turned onto the screen from beside it is drawn, not culled.
TEST(QuadBoxes, ATurnedQuadsBoxHoldsItsCornersAtEveryAngle) {
    QuadCommand quad{};
    quad.corners[3].x = quad.corners[3].y = 10.0f;
    const float farthest = std::sqrt(200.0f), corner = 0.785398f;
    for (float degrees : {30.0f, 45.0f, 135.0f, 300.0f}) {
        quad.turn = {0.0f, 0.0f, degrees};
        const QuadBox box = BoxOfQuad(quad);
        const float turn = degrees * 3.14159265f / 180.0f;
        for (float angle : {corner + turn, corner - turn}) {
            const float x = farthest * std::cos(angle), y = farthest * std::sin(angle);
            EXPECT_TRUE(x >= box.minX && x <= box.maxX && y >= box.minY && y <= box.maxY) << degrees;
        }
    }
}
