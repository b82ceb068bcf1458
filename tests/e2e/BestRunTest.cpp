#include "PlayData.h"
#include "platform/Files.h"
#include "support/GlWindow.h"
#include <fstream>
#include <gtest/gtest.h>

namespace {
const long kPlay = kFileListStep + 20;

// A play stage on the floor stage's ground, a lantern on the way from the
// start to the exit line: right held from the stage's first step clears it in 38.
void WriteLanternStage(const std::string& data, int lanternX) {
    WriteFloorStage(data, "blk101", "play\nthing lantern x=" + std::to_string(lanternX) + " y=192\n");
}

// From the title to the file's STAGES page, open from step kPage on CLOCKTOWER.
const long kPage = kFileListStep + 31;
std::vector<KeyHold> ToStagesPage() {
    std::vector<KeyHold> holds = ToFileList();
    holds.pop_back();
    holds.insert(
        holds.end(),
        {{kFileListStep, "down", 2}, {kFileListStep + 15, "down", 2}, {kPage - 16, "z", 2}, {kPage - 1, "z", 2}});
    return holds;
}

// The field on the trace lines from `first` on, `count` of them.
std::vector<std::string> Fields(const Play& play, const std::string& field, long first, long count) {
    std::vector<std::string> values;
    for (long step = first; step < first + count; ++step) values.push_back(JsonField(StepLine(play, step), field));
    return values;
}
}

// A file's clear keeps its run beside the player's save file. Replayed 10
// steps later, the ghost stands where the hero stood on each step of that
// run, the lantern says +10 steps, and the slower clear keeps the old run.
// With the player's save file gone (the shipped one holds the same file at
// VILLAGE), WATCH BEST RUN plays that run step for step and saves nothing.
// With the stage file changed, the page says so, no ghost shows, and an
// assisted faster clear keeps no run.
TEST(BestRun, TheGhostRetracesTheBestRunWhichIsWatchedAndKeptUntilBeaten) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"ALDRIC:1"});
    WriteLanternStage(data, 272);
    const std::string home = MakeTempDir(), save = home + "/duskhold/svfile";
    const std::vector<std::string> env = {"SDL_AUDIODRIVER=dummy", "XDG_DATA_HOME=" + home};
    std::vector<KeyHold> first = ToFileList();
    first.insert(first.end(), {{kPlay, "z", 2}, {kPlay + 12, "right", 100}});
    Play best = PlayMovie(data, first, kPlay + 80, {}, env);
    const long steps = FirstStep(best, "clear", "0") - kPlay;
    ASSERT_GT(steps, 0);
    const std::string run = save + ".records/b6b36350/blk101.run", kept = ReadTextFile(run);
    ASSERT_NE(kept.find("steps " + std::to_string(steps) + "\n"), std::string::npos) << kept;
    const std::vector<std::string> bestSteps = Fields(best, "player", kPlay + 1, steps);

    // Up to VILLAGE, into it, right held from its 22nd step.
    std::vector<KeyHold> again = ToStagesPage();
    const long stageStart = kPage + 31;
    again.insert(again.end(), {{kPage + 15, "up", 2}, {kPage + 30, "z", 2}, {kPage + 52, "right", 100}});
    Play replay = PlayMovie(data, again, stageStart + steps + 20, {}, env);
    EXPECT_EQ(Fields(replay, "ghost", stageStart, steps), bestSteps);
    EXPECT_EQ(JsonField(StepLine(replay, stageStart + steps), "ghost"), "null");
    EXPECT_EQ(JsonField(StepLine(replay, FirstStep(replay, "checkpoint", "94")), "split"), "10");
    EXPECT_EQ(ReadTextFile(run), kept);

    // Down to WATCH BEST RUN, into it, Confirm on VILLAGE.
    RunProgram("rm", {save});
    std::vector<KeyHold> watch = ToStagesPage();
    watch.insert(watch.end(), {{kPage + 15, "down", 2}, {kPage + 30, "z", 2}, {kPage + 45, "z", 2}});
    Play watched = PlayMovie(data, watch, kPage + 60 + steps, {}, env);
    EXPECT_NE(JsonField(StepLine(watched, kPage + 40), "stages").find("\"runs\":[\"kept\",\"none\""),
              std::string::npos);
    EXPECT_EQ(Fields(watched, "player", kPage + 46, steps), bestSteps);
    EXPECT_EQ(JsonField(StepLine(watched, kPage + 50), "ghost"), "\"watching\"");
    EXPECT_FALSE(GameFileIsThere(save));

    // WATCH BEST RUN, back, up to VILLAGE and into it.
    WriteLanternStage(data, 280);
    std::vector<KeyHold> changed = ToStagesPage();
    changed.insert(changed.end(), {{kPage + 15, "down", 2},
                                   {kPage + 30, "z", 2},
                                   {kPage + 45, "x", 2},
                                   {kPage + 60, "up", 2},
                                   {kPage + 75, "z", 2},
                                   {kPage + 76, "right", 100}});
    TempDir dir;
    std::ofstream(dir / "settings") << "assist.hearts = 2\n";
    Play changedPlay = PlayMovie(data, changed, kPage + 200, {"--settings", dir / "settings"}, env);
    EXPECT_NE(JsonField(StepLine(changedPlay, kPage + 40), "stages").find("\"runs\":[\"changed\""), std::string::npos);
    EXPECT_EQ(JsonField(StepLine(changedPlay, kPage + 90), "ghost"), "null");
    EXPECT_NE(JsonField(StepLine(changedPlay, FirstStep(changedPlay, "clear", "0")), "tally").find("assisted"),
              std::string::npos);
    EXPECT_EQ(ReadTextFile(run), kept);
}
