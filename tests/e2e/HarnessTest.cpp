#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <gtest/gtest.h>
#include <tuple>

TEST(Harness, BadOptionExitsWithStatusTwoAndHelpWorks) {
    RunResult bad = RunGame({"--steps", "x"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.output.find("--steps"), std::string::npos);
    // A mistyped option is named on standard error and the game goes on.
    RunResult help = RunGame({"--levle", "blk101", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("--replay"), std::string::npos);
    EXPECT_NE(help.output.find("duskhold: unknown option --levle ignored"), std::string::npos) << help.output;

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

// A movie or a trace the disk refuses (a full one) is said on standard error
// and fails the run: the movie's first line at once, the trace at the end.
TEST(Harness, AMovieOrTraceThatCannotBeWrittenIsSaidAndFailsTheRun) {
    const std::tuple<const char*, int, const char*> outputs[] = {{"--record", 2, "movie"}, {"--trace", 1, "trace"}};
    for (const auto& [option, status, file] : outputs) {
        RunResult run = RunGame({option, "/dev/full", "--fast", "--unseen", "--steps", "1"});
        EXPECT_EQ(run.exitCode, status) << option;
        EXPECT_NE(run.output.find(std::string("duskhold: cannot write the ") + file +
                                  " file /dev/full: No space left on device"),
                  std::string::npos)
            << run.output;
    }
}
