#include "PlayData.h"
#include "platform/PngDecode.h"
#include "support/GlWindow.h"
#include <gtest/gtest.h>
#include <set>

namespace {
const long kStill = 480;

struct Picture {
    DecodedImage image;
    uint32_t At(uint32_t x, uint32_t y) const {
        const unsigned char* p = &image.rgba[(size_t(y) * image.width + x) * 4];
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
};

Picture Load(const std::string& path) {
    std::string bytes = ReadTextFile(path);
    Picture picture;
    EXPECT_EQ(DecodePng(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 4096,
                        picture.image),
              PngError::None)
        << path;
    return picture;
}

// The first row from `from` down in which the picture's column x is not
// see-through (neither alpha 0 nor the key); -1 if there is none.
int TopRow(const Picture& picture, uint32_t x, uint32_t from, uint32_t rows, uint32_t key) {
    for (uint32_t y = from; y < from + rows; ++y) {
        uint32_t pixel = picture.At(x, y);
        if (pixel != key && (pixel >> 24) != 0) return int(y - from);
    }
    return -1;
}

// The first row from the top where the shot differs from the sky picture,
// above the console's few lines at the bottom; -1 if none.
int FirstChangedRow(const Picture& shot, const Picture& sky, uint32_t x) {
    for (uint32_t y = 0; y < 200; ++y)
        if (shot.At(x, y) != sky.At(x, y)) return int(y);
    return -1;
}

int Number(const Play& play, long step, const char* field) {
    return std::atoi(JsonField(StepLine(play, step), field).c_str());
}
}

TEST(Cycle, GameOverIgnoresButtonsFor480StepsAndLeavesByItselfAfter960) {
    std::string data = CopyOfBuiltData();
    WriteBottomlessStage(data, "fall");
    Play idle = PlayMovie(data, {}, 1100, {"--level", "fall"});
    ASSERT_EQ(idle.run.exitCode, 0) << idle.run.output;
    long over = FirstStep(idle, "state", "\"gameover\"");
    ASSERT_GT(over, 1);
    EXPECT_EQ(JsonField(StepLine(idle, over - 1), "state"), "\"game\"");
    EXPECT_EQ(JsonField(StepLine(idle, over + 960), "state"), "\"gameover\"");
    EXPECT_EQ(JsonField(StepLine(idle, over + 961), "state"), "\"menu\"");

    // A button held all along counts only once the screen is still.
    std::string shot = MakeTempDir() + "/still.png";
    Play held = PlayMovie(data, {{1, "z", 2000}}, over + kStill + 2,
                          {"--level", "fall", "--shot", std::to_string(over + kStill) + ":" + shot});
    ASSERT_EQ(held.run.exitCode, 0) << held.run.output;
    ASSERT_EQ(FirstStep(held, "state", "\"gameover\""), over);
    EXPECT_EQ(JsonField(StepLine(held, over + kStill), "state"), "\"gameover\"");
    EXPECT_EQ(JsonField(StepLine(held, over + kStill + 1), "state"), "\"menu\"");

    // In the still picture the castle's top is at y 26 and the lettering's
    // at y 110: read each column back against the bare sky.
    ASSERT_LE(Number(held, over + kStill, "console"), 3);
    Picture still = Load(shot);
    Picture sky = Load(data + "/sprites/gameovermoon.png");
    Picture castle = Load(data + "/sprites/gameovercastle.png");
    Picture letters = Load(data + "/sprites/gameoverlet.png");
    ASSERT_EQ(still.image.width, 320u);
    int castleColumns = 0;
    for (uint32_t x = 50; x < 294; ++x) {
        int top = TopRow(castle, x - 50, 0, 215, 0xFFFF0000u);
        if (top < 0 || 26 + top >= 110) continue;
        EXPECT_EQ(FirstChangedRow(still, sky, x), 26 + top) << "castle column " << x;
        ++castleColumns;
    }
    EXPECT_GT(castleColumns, 100);
    int letterColumns = 0;
    for (uint32_t x = 12; x < 50; ++x) {
        std::set<int> tops;
        for (uint32_t frame = 0; frame < 3; ++frame) {
            int top = TopRow(letters, x - 12, 32 * frame, 32, 0xFF000000u);
            tops.insert(top < 0 ? -1 : 110 + top);
        }
        int changed = FirstChangedRow(still, sky, x);
        EXPECT_EQ(tops.count(changed), 1u) << "lettering column " << x << " changes at " << changed;
        letterColumns += changed >= 0;
    }
    EXPECT_GT(letterColumns, 20);
}

TEST(Cycle, TitleMenuStageGameOverAndAgainEndWithTheSameCounts) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"OUTSET:1"});
    WriteBottomlessStage(data, "blk101");
    std::vector<KeyHold> holds = ToFileList();
    const long firstStage = kFileListStep + 20;
    holds.push_back({firstStage, "z", 2});
    // The first round tells when the hero has fallen out.
    Play first = PlayMovie(data, holds, firstStage + 200);
    ASSERT_EQ(first.run.exitCode, 0) << first.run.output;
    ASSERT_EQ(FirstStep(first, "state", "\"game\""), firstStage);
    const long over = FirstStep(first, "state", "\"gameover\"");
    ASSERT_GT(over, firstStage);

    // Leave the game over with a tap once it is still, then the same way
    // through the menu into the stage, and out of it once more.
    const long secondMenu = over + kStill + 1;
    const long secondStage = secondMenu + kMenuToFileList + 20;
    const long secondOver = secondStage + (over - firstStage);
    holds.push_back({secondMenu, "z", 1});
    for (const KeyHold& hold : MenuToFileList(secondMenu)) holds.push_back(hold);
    holds.push_back({secondStage, "z", 2});
    Play play = PlayMovie(data, holds, secondOver + 10);
    ASSERT_EQ(play.run.exitCode, 0) << play.run.output;
    EXPECT_EQ(FirstStep(play, "state", "\"menu\"", over), secondMenu);
    EXPECT_EQ(FirstStep(play, "state", "\"game\"", secondMenu), secondStage);
    EXPECT_EQ(FirstStep(play, "state", "\"gameover\"", secondStage), secondOver);
    EXPECT_EQ(JsonField(StepLine(play, secondStage), "level"), "\"blk101\"");
    EXPECT_EQ(JsonField(StepLine(play, secondStage), "music"), "\"music\\\\DH3- Outset.mid\"");

    // Each screen holds as many pictures and sounds on its second visit as
    // on its first: nothing piles up.
    const std::pair<long, long> visits[] = {
        {kMenuStep + 5, secondMenu + 5}, {firstStage + 5, secondStage + 5}, {over + 5, secondOver + 5}};
    for (auto [firstVisit, secondVisit] : visits) {
        SCOPED_TRACE("steps " + std::to_string(firstVisit) + " and " + std::to_string(secondVisit));
        EXPECT_EQ(JsonField(StepLine(play, firstVisit), "state"), JsonField(StepLine(play, secondVisit), "state"));
        EXPECT_EQ(Number(play, firstVisit, "textures"), Number(play, secondVisit, "textures"));
        EXPECT_EQ(Number(play, firstVisit, "sounds"), Number(play, secondVisit, "sounds"));
    }
    EXPECT_GT(Number(play, firstStage + 5, "sounds"), 0);
}
