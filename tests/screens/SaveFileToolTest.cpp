#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <gtest/gtest.h>

// Files the tool writes are read by the game in every e2e run, and its list
// is read back in StageClear; here what it must refuse.
TEST(SaveFileTool, RefusesWhatTheGameCouldNotShowAndFilesItCannotReadOrWrite) {
    std::string dir = MakeTempDir();
    std::vector<std::string> tooMany = {"new", dir + "/svfile"};
    for (int i = 0; i < 21; ++i) tooMany.push_back("A:1");
    const std::vector<std::vector<std::string>> refused = {{"new", dir + "/svfile", "ab:1"},
                                                           {"new", dir + "/svfile", "ABCDEFGHIJK:1"},
                                                           {"new", dir + "/svfile", "AB:4"},
                                                           {"new", dir + "/svfile", "AB"},
                                                           {"new", dir + "/svfile", "AB:x"},
                                                           tooMany,
                                                           {"list", "a", "b"},
                                                           {"list", "--all"},
                                                           {"copy", dir + "/svfile"}};
    for (const std::vector<std::string>& args : refused) {
        RunResult run = RunProgram(ToolPath("save"), args);
        EXPECT_EQ(run.exitCode, 2) << args.back() << ": " << run.output;
    }
    EXPECT_EQ(ReadTextFile(dir + "/svfile"), "");
    RunResult missing = RunProgram(ToolPath("save"), {"list", dir + "/none"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("cannot open"), std::string::npos) << missing.output;
    RunResult unwritable = RunProgram(ToolPath("save"), {"new", dir + "/no/such/dir/svfile", "AB:1"});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_NE(unwritable.output.find("cannot write"), std::string::npos) << unwritable.output;
}
