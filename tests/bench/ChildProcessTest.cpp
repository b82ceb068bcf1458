#include "ChildProcess.h"
#include "support/GlWindow.h"
#include <gtest/gtest.h>

// The child's output goes to the log; a failing or missing program is a
// failed run; a process that is gone has no processor time to read.
TEST(ChildProcess, RunsToTheEndAndTellsFailures) {
    TempDir dir;
    std::string log = dir / "log";
    EXPECT_TRUE(RunChild({"/bin/sh", "-c", "echo out; echo err >&2"}, log));
    EXPECT_EQ(ReadTextFile(log), "out\nerr\n");
    EXPECT_FALSE(RunChild({"/bin/sh", "-c", "exit 3"}, log));
    EXPECT_FALSE(RunChild({"/nonexistent/duskhold"}, log));

    pid_t pid = StartChild({"/bin/sh", "-c", "exit 0"}, log);
    ASSERT_GT(pid, 0);
    EXPECT_GE(ChildCpuSeconds(pid), 0.0);
    EXPECT_EQ(WaitChild(pid), 0);
    EXPECT_EQ(ChildCpuSeconds(pid), -1.0);
}
