#include "core/Trace.h"
#include "screens/StageTable.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <fstream>
#include <gtest/gtest.h>

// Every shipped stage passes the tool's strict check, dumps to a source that
// compiles to the same bytes, and starts without an error, with the music
// of its row and with the hero's feet on the top of a ground tile; walking
// left, he stops at the wall that closes the stage's left end.
TEST(LevelStages, EachStageChecksRoundTripsAndStartsWithTheHeroOnTheGround) {
    std::string dir = MakeTempDir();
    std::ofstream(dir + "/left.movie") << "duskhold-movie 1\n11 down left\n";
    for (const char* stage : {"blk101", "blk201a", "blk301a", "blk401a", "blk40aa", "blk501a", "blk601a", "blk701a",
                              "blk801a", "blk901a"}) {
        SCOPED_TRACE(stage);
        std::string level = BuiltDataDir() + "/levels/" + stage;
        RunResult check = RunProgram(ToolPath("level"), {"check", level, "--strict", "--data", BuiltDataDir()});
        EXPECT_EQ(check.exitCode, 0) << check.output;
        EXPECT_NE(check.output.find(": ok, 0 missing pictures in " + BuiltDataDir() + ", 0 warnings"),
                  std::string::npos)
            << check.output;

        RunResult dump = RunProgram(ToolPath("level"), {"dump", level});
        ASSERT_EQ(dump.exitCode, 0) << dump.output;
        std::string source = dir + "/" + stage + ".txt";
        std::ofstream(source) << dump.output;
        RunResult compile = RunProgram(ToolPath("level"), {"compile", source, dir + "/" + stage});
        ASSERT_EQ(compile.exitCode, 0) << compile.output;
        EXPECT_EQ(ReadTextFile(dir + "/" + stage), ReadTextFile(level));

        std::string trace = dir + "/" + stage + ".jsonl";
        RunResult run = RunGame({"--fast", "--steps", "200", "--level", stage, "--trace", trace, "--window", "320x240",
                                 "--replay", dir + "/left.movie"});
        ASSERT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(run.output.find("Error"), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find("not loaded"), std::string::npos) << run.output;
        std::vector<std::string> lines = ReadLines(trace);
        ASSERT_EQ(lines.size(), 200u);
        EXPECT_EQ(JsonField(lines[0], "state"), "\"game\"");
        EXPECT_EQ(JsonField(lines[0], "level"), "\"" + std::string(stage) + "\"");
        EXPECT_EQ(JsonField(lines[0], "music"), JsonString(FindStageOfLevel(stage)->music));
        EXPECT_EQ(JsonField(lines[0], "player"), JsonField(lines[9], "player"));
        EXPECT_NE(JsonField(lines[9], "player").find(",264]"), std::string::npos);
        EXPECT_EQ(JsonField(lines[199], "player"), "[34,264]");
    }
}
