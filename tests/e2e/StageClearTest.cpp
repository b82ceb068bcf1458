#include "PlayData.h"
#include "support/GlWindow.h"
#include <fstream>
#include <gtest/gtest.h>

namespace {
const long kPlay = kFileListStep + 20;
const long kBanner = 180;

// PLAY on the first file of the list, then right and X (rise) held: the hero
// flies over every pit and wall to the right end of the stage.
std::vector<KeyHold> PlayAndFlyRight(long steps) {
    std::vector<KeyHold> holds = ToFileList();
    holds.insert(holds.end(), {{kPlay, "z", 2}, {kPlay + 2, "right", steps}, {kPlay + 2, "x", steps}});
    return holds;
}

std::string SaveBytes(const std::vector<std::string>& files) {
    std::string dir = MakeTempDir();
    WriteSaveFile(dir, files);
    return ReadTextFile(dir + "/svfile");
}

// Writes `bytes` as the player's save file in the folder XDG_DATA_HOME names.
void WritePlayerFile(const std::string& home, const std::string& bytes) {
    RunProgram("mkdir", {"-p", home + "/duskhold"});
    std::ofstream(home + "/duskhold/svfile", std::ios::binary) << bytes;
}
}

// A file started from the menu clears blk101 at its gate: the banner stands
// for 180 steps, then blk201a starts with its music and the counts of a first
// start, and the player's own save file names stage 2 for that file with the
// other file's record byte for byte as it was; the next run starts there.
TEST(StageClear, ClearingBlk101FromTheMenuStartsBlk201aAndSavesTheFile) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"ALDRIC:1", "MIRA:32"});
    const std::string shipped = ReadTextFile(data + "/svfile");
    const std::string home = MakeTempDir(), player = home + "/duskhold/svfile";
    const std::vector<std::string> env = {"SDL_AUDIODRIVER=dummy", "XDG_DATA_HOME=" + home};
    Play play = PlayMovie(data, PlayAndFlyRight(1000), kPlay + 1200, {}, env);
    ASSERT_EQ(play.run.exitCode, 0) << play.run.output;
    const long cleared = FirstStep(play, "clear", "0");
    ASSERT_GT(cleared, kPlay);
    EXPECT_EQ(JsonField(StepLine(play, kPlay), "save"), "\"svfile\"");
    EXPECT_EQ(JsonField(StepLine(play, cleared - 1), "clear"), "");
    EXPECT_EQ(JsonField(StepLine(play, cleared + kBanner - 1), "clear"), std::to_string(kBanner - 1));
    EXPECT_EQ(JsonField(StepLine(play, cleared + kBanner - 1), "player"), JsonField(StepLine(play, cleared), "player"));
    const std::string next = StepLine(play, cleared + kBanner);
    EXPECT_EQ(JsonField(next, "level"), "\"blk201a\"");
    EXPECT_EQ(JsonField(next, "music"), "\"music\\\\DH3- Gearwheel4.mid\"");
    EXPECT_EQ(JsonField(next, "clear"), "");
    EXPECT_EQ(ReadTextFile(player), SaveBytes({"ALDRIC:2", "MIRA:32"}));
    EXPECT_EQ(ReadTextFile(data + "/svfile"), shipped);

    // The same file started again reads the player's file; blk201a starts as
    // it did after the clear.
    std::vector<KeyHold> holds = ToFileList();
    holds.push_back({kPlay, "z", 2});
    Play again = PlayMovie(data, holds, kPlay, {}, env);
    EXPECT_EQ(JsonField(StepLine(again, kPlay), "level"), "\"blk201a\"");
    EXPECT_EQ(JsonField(StepLine(again, kPlay), "save"), "\"" + player + "\"");
    for (const char* field : {"textures", "sounds"})
        EXPECT_EQ(JsonField(StepLine(again, kPlay), field), JsonField(next, field)) << field;

    // The tool lists what the game reads, and reset takes the player's file away.
    std::string tool = ToolPath("save");
    RunResult listed = RunProgram("env", {"XDG_DATA_HOME=" + home, "DUSKHOLD_DATA=" + data, tool, "list"});
    EXPECT_NE(listed.output.find("The player's save file " + player), std::string::npos) << listed.output;
    EXPECT_NE(listed.output.find("ALDRIC      stage 2  (blk201a)"), std::string::npos) << listed.output;
    RunResult reset = RunProgram("env", {"XDG_DATA_HOME=" + home, tool, "reset"});
    EXPECT_NE(reset.output.find("Removing the player's save file " + player), std::string::npos) << reset.output;
    EXPECT_EQ(ReadTextFile(player), "");
    listed = RunProgram("env", {"XDG_DATA_HOME=" + home, "DUSKHOLD_DATA=" + data, tool, "list"});
    EXPECT_NE(listed.output.find("The shipped save file " + data + "/svfile"), std::string::npos) << listed.output;
}

// A player's file is replaced whole or not at all: one cut short is left as
// it is, a write stopped before the rename leaves the old file, and a folder
// that cannot be made costs one status line. Each time the next stage starts.
TEST(StageClear, APlayersFileIsReplacedWholeOrNotAtAll) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"ALDRIC:1"});
    WriteBottomlessStage(data, "blk101");
    const std::string whole = SaveBytes({"ALDRIC:1", "MIRA:32"});
    const std::string home = MakeTempDir(), player = home + "/duskhold/svfile";
    struct Case {
        std::string bytes, env, status;
    };
    for (const Case& c : {Case{whole.substr(0, whole.size() - 8), "XDG_DATA_HOME=" + home, "it ends early"},
                          Case{whole, "DUSKHOLD_TEST_STOP_BEFORE_RENAME=1", ""},
                          Case{"", "XDG_DATA_HOME=" + player, "cannot make " + player}}) {
        SCOPED_TRACE(c.env);
        WritePlayerFile(home, c.bytes);
        Play play = PlayMovie(data, PlayAndFlyRight(200), kPlay + 300, {},
                              {"SDL_AUDIODRIVER=dummy", "XDG_DATA_HOME=" + home, c.env});
        EXPECT_EQ(ReadTextFile(player), c.bytes);
        if (c.status.empty()) continue;
        EXPECT_EQ(Count(play.run.output, "Progress not saved"), 1u) << play.run.output;
        EXPECT_NE(play.run.output.find(c.status), std::string::npos) << play.run.output;
        EXPECT_EQ(JsonField(StepLine(play, kPlay + 300), "level"), "\"blk201a\"");
    }
}

// The last stage leads to the menu, which marks the finished file; a --level
// run saves nothing, and a level whose main grid is empty has no exit.
TEST(StageClear, TheLastStageLeadsToTheMenuAndAnEmptyGridHasNoExit) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"ALDRIC:63"});
    WriteBottomlessStage(data, "blk901a");
    const std::string home = MakeTempDir();
    const std::vector<std::string> env = {"SDL_AUDIODRIVER=dummy", "XDG_DATA_HOME=" + home};
    Play direct = PlayMovie(data, {{1, "right", 300}, {1, "x", 300}}, 300, {"--level", "blk901a"}, env);
    const long cleared = FirstStep(direct, "clear", "0");
    ASSERT_GT(cleared, 0) << direct.run.output;
    EXPECT_EQ(FirstStep(direct, "state", "\"menu\""), cleared + kBanner);
    EXPECT_EQ(RunProgram("ls", {"-A", home}).output, "");

    Play played = PlayMovie(data, PlayAndFlyRight(200), kPlay + 300, {}, env);
    EXPECT_EQ(JsonField(StepLine(played, kPlay + 300), "state"), "\"menu\"");
    std::string saved = SaveBytes({"ALDRIC:63"});
    saved[4 + 92 + 4 * 6] = 1;  // the finished mark after the name's 6 glyphs
    EXPECT_EQ(ReadTextFile(home + "/duskhold/svfile"), saved);

    std::ofstream(data + "/empty.txt") << "start 1600 480\ntile -1 0 0\ngrid main 0 0\nlegend - 0\n|-\nend\n";
    RunResult compiled = RunProgram(ToolPath("level"), {"compile", data + "/empty.txt", data + "/levels/empty"});
    ASSERT_EQ(compiled.exitCode, 0) << compiled.output;
    Play empty = PlayMovie(data, {{1, "right", 100}, {1, "x", 100}}, 100, {"--level", "empty"}, env);
    EXPECT_EQ(JsonField(StepLine(empty, 100), "state"), "\"game\"") << empty.run.output;
    EXPECT_EQ(FirstStep(empty, "clear", "0"), 0);
}
