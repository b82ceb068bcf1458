#include "ChildProcess.h"
#include "support/GlWindow.h"
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

// The child's output goes to the log; a failing or missing program is a
// failed run; a process that is gone has no processor time to read.
TEST(ChildProcess, RunsToTheEndAndTellsFailures) {
    std::string log = MakeTempDir() + "/log";
    EXPECT_TRUE(RunChild({"/bin/sh", "-c", "echo out; echo err >&2"}, log));
    std::stringstream text;
    text << std::ifstream(log).rdbuf();
    EXPECT_EQ(text.str(), "out\nerr\n");
    EXPECT_FALSE(RunChild({"/bin/sh", "-c", "exit 3"}, log));
    EXPECT_FALSE(RunChild({"/nonexistent/duskhold"}, log));

    pid_t pid = StartChild({"/bin/sh", "-c", "exit 0"}, log);
    ASSERT_GT(pid, 0);
    EXPECT_GE(ChildCpuSeconds(pid), 0.0);
    EXPECT_EQ(WaitChild(pid), 0);
    EXPECT_EQ(ChildCpuSeconds(pid), -1.0);
}
