#include "PlayData.h"
#include "support/GlWindow.h"
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {
float HeroY(const Play& play, long step) {
    std::string hero = JsonField(StepLine(play, step), "player");
    return hero.size() > 2 ? std::strtof(hero.c_str() + hero.find(',') + 1, nullptr) : -1.0f;
}
}

// A new player's first minute: Return leaves the title, a tap of any length
// on PLAY leaves the hero standing on the floor (the press belongs to the
// menu), the stage names its keys, and the hero can walk.
TEST(FirstMinute, APressBelongsToTheScreenItWasMadeOn) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"OUTSET:1", "LOST:1"});
    // The second file's stage becomes 5, which the tool would not write.
    std::fstream save(data + "/svfile", std::ios::in | std::ios::out | std::ios::binary);
    save.seekp(4 + 120 + 4 + 16);
    save.write("\5\0\0\0", 4);
    save.close();
    const long play = kFileListStep + 20;
    for (auto [key, steps] : {std::pair<const char*, long>{"z", 1}, {"return", 6}, {"space", 30}}) {
        SCOPED_TRACE(key + std::to_string(steps));
        std::vector<KeyHold> holds = {{30, "return", 20}};
        for (const KeyHold& hold : MenuToFileList(kMenuStep)) holds.push_back(hold);
        holds.push_back({play, key, steps});
        holds.push_back({play + 60, "right", 30});
        Play run = PlayMovie(data, holds, play + 100);
        ASSERT_EQ(run.run.exitCode, 0) << run.run.output;
        EXPECT_EQ(FirstStep(run, "state", "\"menu\""), kMenuStep);
        EXPECT_EQ(FirstStep(run, "state", "\"game\""), play);
        EXPECT_EQ(HeroY(run, play + 59), 264.0f);
        EXPECT_EQ(HeroY(run, play + 99), 264.0f);
        EXPECT_EQ(JsonField(StepLine(run, play + 99), "player"), "[120,264]");
        EXPECT_EQ(Count(run.run.output,
                        "Keys: arrows walk, Space/X jump, Z whip, Down and jump drop off a ledge, "
                        "P or Esc pauses, F2 outlines, F3 console"),
                  1u);
    }

    // The second file names a stage the game does not have: PLAY stays in
    // the menu and says so once.
    std::vector<KeyHold> holds = ToFileList();
    holds.insert(holds.end(), {{kFileListStep + 20, "down", 2}, {kFileListStep + 40, "z", 2}});
    Play lost = PlayMovie(data, holds, kFileListStep + 100);
    EXPECT_EQ(JsonField(StepLine(lost, kFileListStep + 100), "state"), "\"menu\"");
    EXPECT_EQ(Count(lost.run.output, "names stage 5, which the game does not have"), 1u) << lost.run.output;
}

// The stage is lost on the step the hero's head passes below both the
// lowest line the camera can show and the bottom of the main grid (both 360
// on blk101), and never while he stands on a level that has no bounds. The
// tap that leaves the game over leaves the menu on its first page. By the
// engine's rules, where Z passes through the floor and the first fall is
// the end.
TEST(FirstMinute, TheHeroFallsOutOnlyBelowEverythingTheStageShows) {
    const long over = 29, menu = over + 481;
    Play drop =
        PlayMovie(BuiltDataDir(), {{5, "z", 100}, {menu, "z", 6}}, menu + 60, {"--level", "blk101", "--engine-rules"});
    ASSERT_EQ(drop.run.exitCode, 0) << drop.run.output;
    ASSERT_EQ(FirstStep(drop, "state", "\"gameover\""), over);
    EXPECT_EQ(HeroY(drop, over - 1) - 48.0f, 360.0f);
    EXPECT_EQ(FirstStep(drop, "state", "\"menu\""), menu);
    EXPECT_EQ(JsonField(StepLine(drop, menu + 60), "menu"), "{\"page\":0,\"cursor\":0,\"row\":0,\"scroll\":0}");

    std::string data = CopyOfBuiltData();
    std::ofstream(data + "/flat.txt") << "start 1600 480\ntile -1 0 0\ntile 0 0 1\ngrid main 13 3\n"
                                         "legend - 0\nlegend # 1\n|--------------\n|--------------\n"
                                         "|##############\n|##############\nend\n";
    RunResult compiled = RunProgram(ToolPath("level"), {"compile", data + "/flat.txt", data + "/levels/flat"});
    ASSERT_EQ(compiled.exitCode, 0) << compiled.output;
    Play flat = PlayMovie(data, {}, 200, {"--level", "flat"});
    EXPECT_EQ(JsonField(StepLine(flat, 200), "state"), "\"game\"") << flat.run.output;
    EXPECT_EQ(HeroY(flat, 200), 48.0f);
}
