#include "textlevel/TextLevel.h"
#include "world/Camera.h"
#include <gtest/gtest.h>

using LevelNamespace::Level;

TEST(TextLevelTest, GridsRectanglesAndStartFollowThePicture) {
    const std::vector<std::string> rows = {
        "..P",
        "#=%*",
        ".x",
    };
    size_t before = TheCollisionWorld().Shapes().size();
    {
        Level level;
        LevelNamespace::BuildTextLevel(level, rows);
        ASSERT_EQ(level.mainGrid.size(), 4u);
        ASSERT_EQ(level.mainGrid[0].size(), 3u);
        EXPECT_EQ(level.mainGrid[3][2], 0);  // padding is empty
        EXPECT_EQ(level.mainGrid[1][2], 0);  // unknown characters too

        // Column by column; where both flags are set, the 0x40 rectangle first.
        std::vector<std::vector<float>> made;
        for (const Collision::Rectangle& r : level.rectangles)
            made.push_back({r.min.x, r.min.y, r.size.x, r.size.y, float(r.category), float(r.mask)});
        std::vector<std::vector<float>> expected = {
            {0, 24, 24, 24, 0x40, 0},
            {24, 24, 24, 24, 0x20, 0},
            {48, 24, 24, 24, 0x40, 0},
            {48, 24, 24, 24, 0x20, 0},
            {72, 24, 24, 24, 0x40, 0},
        };
        EXPECT_EQ(made, expected);
        EXPECT_EQ(TheCollisionWorld().Shapes().size(), before + 5);
        EXPECT_EQ(Camera::Maximum(), Vector3(96, 72, 0));
        EXPECT_EQ(level.tileDefinitions[size_t(level.mainGrid[3][1])].picture, -1);
    }
    EXPECT_EQ(TheCollisionWorld().Shapes().size(), before);
    EXPECT_EQ(LevelNamespace::TextLevelStart(rows), Vector3(60, 24, 0));
    EXPECT_EQ(LevelNamespace::TextLevelStart({"##"}), Vector3(0, 0, 0));
}
