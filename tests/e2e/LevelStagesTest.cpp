#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <gtest/gtest.h>

namespace {
const char* const kStages[] = {"blk101",  "blk201a", "blk301a", "blk401a", "blk40aa",
                               "blk501a", "blk601a", "blk701a", "blk801a", "blk901a"};

std::string LevelPath(const std::string& name) { return BuiltDataDir() + "/levels/" + name; }
}

TEST(LevelStages, EveryStageIsAcceptedWithAllItsPictures) {
    for (const char* stage : kStages) {
        RunResult check = RunProgram(ToolPath("level"), {"check", LevelPath(stage), "--data", BuiltDataDir()});
        EXPECT_EQ(check.exitCode, 0) << stage << "\n" << check.output;
        EXPECT_NE(check.output.find(": ok, 0 missing pictures"), std::string::npos) << check.output;
    }
}

TEST(LevelStages, DumpThenCompileGivesTheSameBytes) {
    std::string dir = MakeTempDir();
    for (const char* stage : kStages) {
        RunResult dump = RunProgram(ToolPath("level"), {"dump", LevelPath(stage)});
        ASSERT_EQ(dump.exitCode, 0) << dump.output;
        std::string source = dir + "/" + stage + ".txt";
        FILE* out = fopen(source.c_str(), "w");
        ASSERT_NE(out, nullptr);
        fputs(dump.output.c_str(), out);
        fclose(out);
        RunResult compile = RunProgram(ToolPath("level"), {"compile", source, dir + "/" + stage});
        ASSERT_EQ(compile.exitCode, 0) << compile.output;
        EXPECT_EQ(ReadTextFile(dir + "/" + stage), ReadTextFile(LevelPath(stage))) << stage;
    }
}

TEST(LevelStages, EachStageStartsWithoutAnErrorAndTheHeroStandsOnTheGround) {
    std::string dir = MakeTempDir();
    for (const char* stage : kStages) {
        std::string trace = dir + "/" + stage + ".jsonl";
        RunResult run = RunGame({"--fast", "--steps", "10", "--level", stage, "--trace", trace, "--window", "320x240"});
        ASSERT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(run.output.find("Error"), std::string::npos) << stage << "\n" << run.output;
        EXPECT_EQ(run.output.find("not loaded"), std::string::npos) << stage << "\n" << run.output;
        std::vector<std::string> lines = ReadLines(trace);
        ASSERT_EQ(lines.size(), 10u);
        // Every stage starts the hero's feet on the top of a ground tile.
        EXPECT_EQ(JsonField(lines[0], "player"), JsonField(lines[9], "player")) << stage;
        EXPECT_NE(JsonField(lines[9], "player").find(",264]"), std::string::npos) << stage;
    }
}
