#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <gtest/gtest.h>

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
