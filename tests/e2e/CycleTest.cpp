#include "PlayData.h"
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
// The game over takes no buttons until its pictures stand still, and leaves
// by itself after twice as long.
const long kStill = 480;
const long kLeavesByItself = 961;

int Number(const Play& play, long step, const char* field) {
    return std::atoi(JsonField(StepLine(play, step), field).c_str());
}
}

TEST(Cycle, TwoRoundsThroughTheGameOverLeaveOnTimeAndEndWithTheSameCounts) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"OUTSET:1", "GEARS:2"});
    WriteBottomlessStage(data, "blk101", "10 11");
    WriteBottomlessStage(data, "blk201a", "20 21");
    std::vector<KeyHold> holds = ToFileList();
    const long firstStage = kFileListStep + 20;
    holds.push_back({firstStage, "z", 2});
    // The first round tells when the hero has fallen out.
    Play first = PlayMovie(data, holds, firstStage + 200);
    ASSERT_EQ(first.run.exitCode, 0) << first.run.output;
    ASSERT_EQ(FirstStep(first, "state", "\"game\""), firstStage);
    const long over = FirstStep(first, "state", "\"gameover\"");
    ASSERT_GT(over, firstStage);

    // A button held from well before the screen is still counts on the
    // first still step; then the same way through the menu into the second
    // file's stage, out of it, and no button until the game over leaves.
    const long secondMenu = over + kStill + 1;
    const long secondStage = secondMenu + kMenuToFileList + 40;
    const long secondOver = secondStage + (over - firstStage);
    holds.push_back({over + 100, "z", kStill - 98});
    for (const KeyHold& hold : MenuToFileList(secondMenu)) holds.push_back(hold);
    holds.push_back({secondStage - 20, "down", 2});
    holds.push_back({secondStage, "z", 2});
    // A real sound device (the disk driver, at its own pace) so that each
    // screen's music really plays.
    Play play = PlayMovie(data, holds, secondOver + kLeavesByItself + 5, {},
                          {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=/dev/null"});
    ASSERT_EQ(play.run.exitCode, 0) << play.run.output;
    for (long step : {20L, kMenuStep + 5, firstStage + 5, over + 5, secondMenu + 5, secondStage + 5})
        EXPECT_EQ(JsonField(StepLine(play, step), "playing"), "true") << step;
    EXPECT_EQ(JsonField(StepLine(play, 60), "playing"), "false");  // the title left on a press
    EXPECT_EQ(JsonField(StepLine(play, secondMenu - 1), "state"), "\"gameover\"");
    EXPECT_EQ(FirstStep(play, "state", "\"menu\"", over), secondMenu);
    EXPECT_EQ(FirstStep(play, "state", "\"game\"", secondMenu), secondStage);
    EXPECT_EQ(FirstStep(play, "state", "\"gameover\"", secondStage), secondOver);
    EXPECT_EQ(FirstStep(play, "state", "\"menu\"", secondOver), secondOver + kLeavesByItself);
    EXPECT_EQ(JsonField(StepLine(play, secondStage), "level"), "\"blk201a\"");
    EXPECT_EQ(JsonField(StepLine(play, secondStage), "music"), "\"music\\\\DH3- Gearwheel4.mid\"");

    // The menu holds as many pictures and sounds after blk101, and after
    // blk201a, as before any stage: nothing piles up, not even the stages'
    // animated tile pictures.
    const long thirdMenu = secondOver + kLeavesByItself;
    const std::pair<long, long> visits[] = {{kMenuStep + 5, secondMenu + 5}, {kMenuStep + 5, thirdMenu + 5}};
    for (auto [firstVisit, secondVisit] : visits) {
        SCOPED_TRACE("steps " + std::to_string(firstVisit) + " and " + std::to_string(secondVisit));
        EXPECT_EQ(JsonField(StepLine(play, firstVisit), "state"), JsonField(StepLine(play, secondVisit), "state"));
        EXPECT_EQ(Number(play, firstVisit, "textures"), Number(play, secondVisit, "textures"));
        EXPECT_EQ(Number(play, firstVisit, "sounds"), Number(play, secondVisit, "sounds"));
    }
    EXPECT_GT(Number(play, firstStage + 5, "sounds"), 0);
}

// Without an audio device the game says so once, however many screens load
// music: the title, the menu twice and the stage.
TEST(Cycle, WithoutAnAudioDeviceOneStatusLineCoversTheRun) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"OUTSET:1"});
    WriteBottomlessStage(data, "blk101");
    std::vector<KeyHold> holds = ToFileList();
    holds.push_back({kFileListStep + 20, "z", 2});
    // The disk driver cannot open its file in a folder that does not exist,
    // so the device fails to open as on a machine without a sound card.
    Play play = PlayMovie(data, holds, kFileListStep + 200 + kLeavesByItself, {},
                          {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=/nonexistent/duskhold-sound"});
    ASSERT_EQ(play.run.exitCode, 0) << play.run.output;
    ASSERT_GT(FirstStep(play, "state", "\"menu\"", FirstStep(play, "state", "\"gameover\"")), 0);
    const std::string& output = play.run.output;
    size_t first = output.find("No audio device");
    EXPECT_NE(first, std::string::npos) << output;
    EXPECT_EQ(output.find("No audio device", first + 1), std::string::npos) << output;
    EXPECT_EQ(output.find("not loaded"), std::string::npos) << output;
    RunProgram("rm", {"-rf", data.substr(0, data.rfind('/'))});
}
