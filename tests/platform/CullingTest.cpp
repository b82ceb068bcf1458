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
// drawn from either side, off the screen, some of them opaque: recorded and
// drawn together (opaque ones without blending, hidden ones not at all) they
// give every pixel the colour they give blended one by one, in fewer calls.
TEST_F(Culling, ARecordedFrameIsThePictureOfItsQuadsDrawnOneByOne) {
    unsigned textures[4] = {0};
    std::vector<uint8_t> texels(64);
    for (unsigned& name : {std::ref(textures[1]), std::ref(textures[2]), std::ref(textures[3])}) {
        for (uint8_t& texel : texels) texel = uint8_t(texel * 37 + 53 + name);
        for (size_t alpha = 3; &name == &textures[3] && alpha < texels.size(); alpha += 4) texels[alpha] = 255;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    }
    auto drawQuads = [&](bool markOpaque) {
        std::mt19937 random(36);
        auto n = [&](int low, int high) { return float(std::uniform_int_distribution<int>(low, high)(random)); };
        for (int i = 0; i < 3000; ++i) {
            const bool grid = n(0, 3) != 0;
            const float x = grid ? 8 * n(-5, 44) : n(-400, 3600) / 10, y = grid ? 8 * n(-5, 34) : n(-400, 2800) / 10;
            const QuadTurn turn{x, y, n(0, 9) == 0 ? n(1, 359) : 0.0f};
            const uint8_t alpha = n(0, 2) == 0 ? 255 : uint8_t(n(40, 255));
            const Color color = Color::FromBytes(uint8_t(n(0, 255)), uint8_t(n(0, 255)), 99, alpha);
            const int texture = int(n(0, 3));
            const bool opaque = markOpaque && texture == 3 && alpha == 255;
            BlendQuad(textures[texture], turn, x, y, 0, n(-2, 8) * (grid ? 8 : 3), n(1, 8) * (grid ? 8 : 3), color, 0,
                      0, 1, 1, opaque);
        }
    };
    ClearScreen();
    drawQuads(false);
    const std::vector<uint32_t> oneByOne = ReadScreen(320, 240);
    DrawList list = Recorded([&] { drawQuads(true); });
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

// A quad is left out only where later opaque upright quads hold every pixel
// it could touch: not for a pixel of it that peeks out, nor behind a blended
// or a turned quad, nor behind one that ends on a pixel's centre. An upright
// quad on whole pixels loses the rows at its top and bottom so held, and its
// texture's rows with them.
TEST(QuadBoxes, OnlyWhatOpaqueQuadsHideIsLeftOut) {
    auto quad = [](float x, float y, float width, float height, bool opaque, float degrees = 0.0f) {
        QuadCommand made{};
        made.opaque = opaque;
        made.turn = {x, y, degrees};
        SetQuadCorners(made.corners, x, y, 0, width, height, Colors::White, 0, 0, 1, 1);
        return made;
    };
    std::vector<QuadCommand> quads = {
        quad(10, 10, 20, 20, false),  // behind the opaque pair
        quad(10, 10, 21, 20, false),  // one column out from under them
        quad(40, 0, 8, 8, true),      // behind a blended quad only
        quad(60, 0, 8, 8, false),     // behind a turned opaque quad only
        quad(80, 0, 8, 8, false),     // behind an opaque quad ending on its last centre
        quad(0, 0, 30, 30, false),    // partly under the opaque pair
        quad(100, 0, 10, 20, false),  // its lower 8 rows under an opaque quad
        quad(10, 10, 10, 20, true),   // the opaque pair
        quad(20, 10, 10, 20, true),  quad(40, 0, 8, 8, false),
        quad(60, 0, 8, 8, true, 90), quad(80, 0, 7.5f, 8, true),
        quad(100, 12, 10, 8, true),  quad(-50, -50, 10, 10, false)  // off the screen: no pixel to show
    };
    std::vector<unsigned char> cover, hidden;
    LeaveOutHiddenPixels(quads, 320, 240, cover, hidden);
    EXPECT_EQ(hidden, std::vector<unsigned char>({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
    const QuadVertex* cut = quads[6].corners;
    EXPECT_EQ(std::vector<float>({cut[0].y, cut[0].t, cut[3].y, cut[3].t}), std::vector<float>({0, 0, 12, 0.6f}));
    EXPECT_EQ(quads[5].corners[3].y, 30.0f);
}

// A quad goes to GL in the call of its texture's earlier quads past another
// texture's quads that it misses, even inside their box, and starts a call
// of its own past one that may share a pixel with it.
TEST(QuadBoxes, AQuadJoinsItsTexturesCallUnlessAQuadOnTheWayMayShareAPixel) {
    auto quad = [](unsigned texture, float x, float y) {
        QuadCommand made{};
        made.texture = texture;
        SetQuadCorners(made.corners, x, y, 0, 10, 10, Colors::White, 0, 0, 1, 1);
        return made;
    };
    DrawPlan plan;
    plan.Make({quad(1, 0, 0), quad(2, 0, 100), quad(2, 100, 0), quad(1, 100, 100)});
    EXPECT_EQ(plan.Calls().size(), 2u);
    plan.Make({quad(1, 0, 0), quad(2, 5, 5), quad(1, 0, 0)});
    EXPECT_EQ(plan.Calls().size(), 3u);
}
