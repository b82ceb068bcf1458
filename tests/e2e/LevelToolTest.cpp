#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
RunResult Tool(const std::vector<std::string>& args) { return RunProgram(ToolPath("level"), args); }
}

TEST(LevelTool, CompileDumpCheckAndTheirFailures) {
    std::string dir = MakeTempDir();
    std::ofstream(dir + "/good.txt") << "tiles 7\nbackground 0 0 0 0 18 0 8 8\ngrid main 1 0\nlegend # 0\n|#.\nend\n";
    RunResult compiled = Tool({"compile", dir + "/good.txt", dir + "/good"});
    ASSERT_EQ(compiled.exitCode, 0) << compiled.output;
    RunResult dumped = Tool({"dump", dir + "/good"});
    EXPECT_EQ(dumped.exitCode, 0);
    EXPECT_NE(dumped.output.find("tiles 7\n"), std::string::npos) << dumped.output;

    // The pictures the level names and the data directory lacks are listed.
    mkdir((dir + "/tiles").c_str(), 0755);
    std::ofstream(dir + "/tiles/tile0007.png") << "x";
    RunResult check = Tool({"check", dir + "/good", "--data", dir});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_NE(check.output.find("missing picture: bg\\bg0018.png"), std::string::npos) << check.output;
    EXPECT_EQ(check.output.find("tile0007"), std::string::npos) << check.output;
    EXPECT_NE(check.output.find("not ready, 1 missing picture"), std::string::npos) << check.output;

    std::ofstream(dir + "/bad.txt") << "tiles 1\nstart x 0\n";
    RunResult bad = Tool({"compile", dir + "/bad.txt", dir + "/bad"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.output.find("bad.txt: line 2: 'x' is not a number"), std::string::npos) << bad.output;

    std::ofstream(dir + "/short", std::ios::binary) << std::string(12, '\0');
    RunResult refused = Tool({"check", dir + "/short"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.output.find("the game refuses this level: the header is not five zeros and 54"),
              std::string::npos)
        << refused.output;
    EXPECT_EQ(Tool({"dump", dir + "/nothere"}).exitCode, 1);
    EXPECT_EQ(Tool({"compile", dir + "/nothere.txt", dir + "/x"}).exitCode, 1);
    EXPECT_EQ(Tool({"compile", dir + "/bad.txt"}).exitCode, 2);
}
