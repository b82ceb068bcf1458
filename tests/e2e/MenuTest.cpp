#include "PlayData.h"
#include <gtest/gtest.h>

// The menu's steps are tested in tests/screens; this runs the real loop from
// a save file through the file list into the stage its table names.
TEST(Menu, FileFiveOnStage32LoadsItsLevelAndMusic) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"A:1", "B:2", "C:3", "D:31", "E:33", "F:32"});
    std::vector<KeyHold> holds = ToFileList();
    holds.insert(holds.end(), {{340, "down", 50}, {400, "z", 2}});
    Play play = PlayMovie(data, holds, 402);
    ASSERT_EQ(play.run.exitCode, 0) << play.run.output;
    EXPECT_EQ(FirstStep(play, "state", "\"menu\""), kMenuStep);
    EXPECT_EQ(JsonField(StepLine(play, kFileListStep), "menu"), "{\"page\":3,\"cursor\":0,\"row\":0,\"scroll\":0}");
    EXPECT_EQ(JsonField(StepLine(play, 399), "menu"), "{\"page\":3,\"cursor\":0,\"row\":5,\"scroll\":0}");
    EXPECT_EQ(JsonField(StepLine(play, 399), "music"), "\"music\\\\DH3- Lament.mid\"");
    EXPECT_EQ(FirstStep(play, "state", "\"game\""), 400);
    EXPECT_EQ(JsonField(StepLine(play, 400), "level"), "\"blk40aa\"");
    EXPECT_EQ(JsonField(StepLine(play, 400), "music"), "\"music\\\\DH3- Unease.mid\"");
}
