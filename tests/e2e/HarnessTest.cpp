#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <gtest/gtest.h>

TEST(Harness, FastStepsTraceAndShot) {
    std::string dir = MakeTempDir();
    RunResult run = RunGame({"--fast", "--steps", "10", "--trace", dir + "/t.jsonl", "--shot",
                             "10:" + dir + "/s.png", "--window", "320x240"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Initializing Renderer\r\n"), std::string::npos);
    EXPECT_NE(run.output.find("Renderer initialized\r\n"), std::string::npos);
    std::vector<std::string> lines = ReadLines(dir + "/t.jsonl");
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(JsonField(lines[0], "step"), "1");
    EXPECT_EQ(JsonField(lines[9], "step"), "10");
    std::string png = ReadTextFile(dir + "/s.png");
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
}

TEST(Harness, SameOptionsGiveTheSameTrace) {
    std::string dir = MakeTempDir();
    for (const char* name : {"/a.jsonl", "/b.jsonl"}) {
        RunResult run = RunGame({"--fast", "--steps", "30", "--trace", dir + name});
        ASSERT_EQ(run.exitCode, 0) << run.output;
    }
    EXPECT_EQ(ReadTextFile(dir + "/a.jsonl"), ReadTextFile(dir + "/b.jsonl"));
}

TEST(Harness, BadOptionExitsWithStatusTwoAndHelpWorks) {
    RunResult bad = RunGame({"--steps", "x"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.output.find("--steps"), std::string::npos);
    RunResult help = RunGame({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("--replay"), std::string::npos);

    // The tools too: usage asked for goes to standard output with status 0,
    // after a wrong call (no arguments) to standard error with status 2.
    for (const std::string& tool : {ToolPath("level"), ToolPath("save"), ToolPath("content")}) {
        RunResult asked = RunProgram("/bin/sh", {"-c", "\"$0\" --help 2>/dev/null", tool});
        EXPECT_EQ(asked.exitCode, 0) << tool;
        EXPECT_NE(asked.output.find("usage: duskhold-"), std::string::npos) << tool;
        RunResult wrong = RunProgram("/bin/sh", {"-c", "\"$0\" 2>/dev/null", tool});
        EXPECT_EQ(wrong.exitCode, 2) << tool;
        EXPECT_EQ(wrong.output, "") << tool;
    }
}
