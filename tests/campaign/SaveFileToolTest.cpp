#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tuple>

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
    // A folder or a FIFO is refused unopened; a file cut short is listed
    // with a warning, as the game keeps its progress only in memory.
    ASSERT_EQ(mkfifo((dir + "/fifo").c_str(), 0600), 0);
    ASSERT_EQ(RunProgram(ToolPath("save"), {"new", dir + "/whole", "AB:1"}).exitCode, 0);
    std::ofstream(dir + "/short") << ReadTextFile(dir + "/whole").substr(0, 100);
    for (const auto& [path, status, says] : std::vector<std::tuple<std::string, int, std::string>>{
             {dir + "/none", 1, "cannot read"},
             {dir, 1, "it is a folder"},
             {dir + "/fifo", 1, "it is not a regular file"},
             {dir + "/short", 0, "saves no progress over it: it ends early"}}) {
        RunResult run = RunProgram(ToolPath("save"), {"list", path});
        EXPECT_EQ(run.exitCode, status) << path;
        EXPECT_NE(run.output.find(says), std::string::npos) << run.output;
    }
    // Neither a missing folder nor a folder in the file's place can be written.
    for (const auto& [target, says] : std::vector<std::pair<std::string, std::string>>{
             {dir + "/no/such/dir/svfile", "cannot "}, {dir, "is a folder, not a regular file"}}) {
        RunResult unwritable = RunProgram(ToolPath("save"), {"new", target, "AB:1"});
        EXPECT_EQ(unwritable.exitCode, 1) << target;
        EXPECT_NE(unwritable.output.find(says), std::string::npos) << unwritable.output;
    }
}
