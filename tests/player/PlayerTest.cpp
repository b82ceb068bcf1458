#include "app/TraceFields.h"
#include "core/Trace.h"
#include "platform/Input.h"
#include "player/Player.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include "textlevel/TextLevel.h"
#include "world/Camera.h"
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace {
// A level and the hero on it, stepped the way the frame loop steps them:
// the collision pass, then the input's held mask, then the hero's update.
class Scene {
    LevelNamespace::Level level_;

public:
    Scene(const std::vector<std::string>& rows, Vector3 start) {
        LevelNamespace::BuildTextLevel(level_, rows);
        hero.position = start;
        hero.PlaceShapes();
    }
    ~Scene() { TheInput().held = 0; }

    void Step(uint32_t held) {
        TheCollisionWorld().Update();
        TheInput().held = held;
        hero.Update(1.0f);
    }
    std::vector<float> Ys(uint32_t held, int steps) {
        std::vector<float> ys;
        for (int i = 0; i < steps; ++i) {
            Step(held);
            ys.push_back(hero.position.y);
        }
        return ys;
    }
    Player hero;
};

// Rows 24 pixels high: the floor's top is at y 120.
const std::vector<std::string> kFloor = {
    "..........", "..........", "..........", "..........", "..........", "##########", "##########",
};
const std::vector<std::string> kLedgeFloor = {"..........", "..........", "..........",
                                              "..........", "..........", "=========="};
using Ys = std::vector<float>;
}

TEST(PlayerTest, StandsOnBothKindsOfFloorAndSinksBackWithDown) {
    for (const auto& rows : {kFloor, kLedgeFloor}) {
        Scene scene(rows, Vector3(60, 120, 0));
        EXPECT_EQ(scene.Ys(0, 3), Ys(3, 120.0f));
        EXPECT_EQ(scene.Ys(Down, 3), Ys(3, 120.0f));
        EXPECT_EQ(scene.hero.velocity, Vector3(0, 8, 0));
    }
}

TEST(PlayerTest, LandsAtSixAndFallsThroughAtEightWhenDeep) {
    const std::tuple<float, uint32_t, Ys> falls[] = {
        {100, 0, {106, 112, 118, 124, 120, 120}},
        {98, Down, {106, 114, 122, 120, 120}},             // enters 2 pixels deep
        {100, Down, {108, 116, 124, 132, 140, 144, 144}},  // enters 4 pixels deep
    };
    for (const auto& [y, held, ys] : falls) {
        Scene scene(kFloor, Vector3(60, y, 0));
        EXPECT_EQ(scene.Ys(held, int(ys.size())), ys) << y << " " << held;
    }
}

TEST(PlayerTest, WalkingIntoAWallRestsOnItsEdgeOnEitherSide) {
    Scene scene({"..........", ".#...#....", ".#...#....", ".#...#....", ".#...#....", "##########"},
                Vector3(61, 120, 0));
    float furthest = 0;
    for (int i = 0; i < 40; ++i) {
        scene.Step(Right);
        furthest = std::max(furthest, scene.hero.position.x);
        EXPECT_EQ(scene.hero.position.y, 120.0f);
    }
    EXPECT_EQ(furthest, 111.0f);  // one step 1 pixel in before the push
    EXPECT_EQ(scene.hero.position.x, 110.0f);
    EXPECT_EQ(scene.hero.probes[Player::RightUpper].position.x, 120.0f);
    EXPECT_EQ(TheCamera().X(), -80.0f);  // a level 240 wide pins the camera at 240 - 320
    for (int i = 0; i < 40; ++i) scene.Step(Left);
    EXPECT_EQ(scene.hero.position.x, 58.0f);
    EXPECT_EQ(scene.hero.probes[Player::LeftUpper].position.x, 48.0f);
}

// Left wins over Right and Up over Down; ButtonB's rise adds to the climb.
TEST(PlayerTest, HeldActionsCombineIntoOneStep) {
    Scene scene({".........."}, Vector3(120, 200, 0));
    const std::pair<uint32_t, Vector3> cases[] = {
        {Left | Right, {-2, 6, 0}}, {Right, {2, 6, 0}},          {Up, {0, 4, 0}},
        {Up | Down, {0, 4, 0}},     {Down, {0, 8, 0}},           {ButtonB, {0, -4, 0}},
        {ButtonB | Up, {0, -6, 0}}, {ButtonB | Down, {0, -2, 0}}};
    for (const auto& [held, velocity] : cases) {
        scene.Step(held);
        EXPECT_EQ(scene.hero.velocity, velocity) << held;
    }
}

TEST(PlayerTest, WalksOffALedgeOnceNoFootTouchedIt) {
    Scene scene({"..........", "..........", "..........", "..........", "..........", "####......"},
                Vector3(60, 120, 0));
    while (scene.hero.position.y == 120.0f && scene.hero.position.x < 200) scene.Step(Right);
    EXPECT_EQ(scene.hero.position, Vector3(108, 126, 0));
}

TEST(PlayerTest, ButtonAPassesThroughAndOnlyTheFacingHalfPushesBack) {
    Scene scene(kFloor, Vector3(60, 120, 0));
    EXPECT_EQ(scene.Ys(ButtonA, 1), Ys{126});
    EXPECT_EQ(scene.Ys(0, 4), (Ys{132, 138, 144, 144}));
    EXPECT_EQ(scene.Ys(ButtonA | Right, 5), (Ys{150, 156, 162, 168, 174}));
    EXPECT_EQ(scene.hero.position.x, 70.0f);
}

TEST(PlayerTest, ButtonBRisesIntoAWallCeilingButThroughALedge) {
    const std::vector<std::string> wallCeiling = {"..........", "..........", "##########",
                                                  "..........", "..........", "##########"};
    {
        Scene scene(wallCeiling, Vector3(60, 120, 0));
        EXPECT_EQ(scene.Ys(ButtonB, 5), (Ys{116, 112, 114.5f, 114.5f, 114.5f}));
        EXPECT_EQ(scene.hero.probes[Player::Head].position.y, 72.0f);
    }
    std::vector<std::string> ledgeCeiling = wallCeiling;
    ledgeCeiling[2] = "==========";
    Scene scene(ledgeCeiling, Vector3(60, 120, 0));
    Ys rising = scene.Ys(ButtonB, 25);
    EXPECT_LT(rising.back(), 20.0f);
    EXPECT_NE(std::find(rising.begin(), rising.end(), 48.0f), rising.end());  // feet lifted onto it
    for (size_t i = 1; i < rising.size(); ++i) EXPECT_LT(rising[i], rising[i - 1]);
    EXPECT_EQ(scene.Ys(0, 20).back(), 48.0f);  // and it lands on the ledge
}

TEST(PlayerTest, TraceShowsTheCameraAndTheHeroOrNull) {
    AddTraceFields();
    std::string path = MakeTempDir() + "/trace.jsonl";
    std::string error;
    ASSERT_TRUE(OpenTrace(path, error)) << error;
    {
        Scene scene(kFloor, Vector3(60.5f, 120, 0));
        scene.Step(0);
        WriteTraceLine(1, nullptr);
        EXPECT_EQ(ReadLines(path).size(), 1u);  // readable before the trace closes
    }
    WriteTraceLine(2, nullptr);
    ASSERT_TRUE(CloseTrace(error)) << error;
    std::vector<std::string> lines = ReadLines(path);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(JsonField(lines[0], "player"), "[60.5,120]");
    EXPECT_EQ(JsonField(lines[0], "camera"), "[-80,-72]");  // a level smaller than the screen
    EXPECT_EQ(JsonField(lines[1], "player"), "null");
}
