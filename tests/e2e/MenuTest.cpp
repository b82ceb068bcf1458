#include "PlayData.h"
#include <gtest/gtest.h>

namespace {
std::string MenuAt(const Play& play, long step) { return JsonField(StepLine(play, step), "menu"); }

std::string Menu(int page, int cursor, int row, int scroll) {
    return "{\"page\":" + std::to_string(page) + ",\"cursor\":" + std::to_string(cursor) +
           ",\"row\":" + std::to_string(row) + ",\"scroll\":" + std::to_string(scroll) + "}";
}

std::vector<KeyHold> With(std::vector<KeyHold> holds, const std::vector<KeyHold>& more) {
    holds.insert(holds.end(), more.begin(), more.end());
    return holds;
}
}

TEST(Menu, CursorMovesEveryTenStepsTwelveFilesScrollAndBackLandsOnSelectFile) {
    std::string data = CopyOfBuiltData();
    std::vector<std::string> files;
    for (char letter = 'A'; letter < 'A' + 12; ++letter) files.push_back(std::string(3, letter) + ":2");
    WriteSaveFile(data, files);
    Play play = PlayMovie(data,
                          With(ToFileList(), {{165, "down", 35},
                                              {201, "up", 25},
                                              {340, "down", 160},
                                              {510, "up", 170},
                                              {690, "x", 2},
                                              {710, "x", 2}}),
                          745);
    ASSERT_EQ(play.run.exitCode, 0) << play.run.output;
    ASSERT_EQ(play.trace.size(), 745u);
    EXPECT_EQ(FirstStep(play, "state", "\"menu\""), kMenuStep);

    // Down held on the first page: 0, 1, 2, one move every ten steps, then no further.
    EXPECT_EQ(MenuAt(play, 164), Menu(0, 0, 0, 0));
    EXPECT_EQ(MenuAt(play, 165), Menu(0, 1, 0, 0));
    EXPECT_EQ(MenuAt(play, 174), Menu(0, 1, 0, 0));
    EXPECT_EQ(MenuAt(play, 175), Menu(0, 2, 0, 0));
    EXPECT_EQ(MenuAt(play, 199), Menu(0, 2, 0, 0));
    EXPECT_EQ(MenuAt(play, 226), Menu(0, 0, 0, 0));

    // The slides: page 1 after 25 draws, page 2 likewise, the list at once.
    EXPECT_EQ(FirstStep(play, "menu", Menu(1, 0, 0, 0)), 265);
    EXPECT_EQ(FirstStep(play, "menu", Menu(2, 0, 0, 0)), 310);
    EXPECT_EQ(FirstStep(play, "menu", Menu(3, 0, 0, 0)), kFileListStep);

    // The row goes down to the last visible row, then the list scrolls
    // until file 11 is in it, and back.
    EXPECT_EQ(MenuAt(play, 400), Menu(3, 0, 7, 0));
    EXPECT_EQ(MenuAt(play, 440), Menu(3, 0, 7, 4));
    EXPECT_EQ(MenuAt(play, 499), Menu(3, 0, 7, 4));
    EXPECT_EQ(MenuAt(play, 679), Menu(3, 0, 0, 0));

    // ButtonB: the list closes at once; from page 2 the way back ends on
    // SELECT FILE.
    EXPECT_EQ(MenuAt(play, 690), Menu(2, 0, 0, 0));
    EXPECT_EQ(MenuAt(play, 740), Menu(1, 1, 0, 0));
}

TEST(Menu, ThreeFilesStopTheRowAtTwoAndPlayStartsTheLastOne) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"AAA:1", "BBB:2", "CCC:3"});
    Play play = PlayMovie(data, With(ToFileList(), {{340, "down", 160}, {510, "z", 2}}), 515);
    ASSERT_EQ(play.run.exitCode, 0) << play.run.output;
    EXPECT_EQ(MenuAt(play, 360), Menu(3, 0, 2, 0));
    EXPECT_EQ(MenuAt(play, 509), Menu(3, 0, 2, 0));
    EXPECT_EQ(FirstStep(play, "state", "\"game\""), 510);
    EXPECT_EQ(JsonField(StepLine(play, 510), "level"), "\"blk301a\"");
}

TEST(Menu, FileFiveOnStage32LoadsItsLevelAndMusic) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"A:1", "B:2", "C:3", "D:31", "E:33", "F:32"});
    Play play = PlayMovie(data, With(ToFileList(), {{340, "down", 50}, {400, "z", 2}}), 402);
    ASSERT_EQ(play.run.exitCode, 0) << play.run.output;
    EXPECT_EQ(MenuAt(play, 399), Menu(3, 0, 5, 0));
    EXPECT_EQ(JsonField(StepLine(play, 399), "music"), "\"music\\\\DH3- Lament.mid\"");
    EXPECT_EQ(FirstStep(play, "state", "\"game\""), 400);
    EXPECT_EQ(JsonField(StepLine(play, 400), "level"), "\"blk40aa\"");
    EXPECT_EQ(JsonField(StepLine(play, 400), "music"), "\"music\\\\DH3- Unease.mid\"");
}
