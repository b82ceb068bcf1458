#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {
RunResult MeasurePresses(const std::string& stage, const std::string& at) {
    return RunProgram(
        ToolPath("routewindow"),
        {std::string(DUSKHOLD_SOURCE_DIR) + "/content/routes/" + stage + ".movie", "--at", at, "--show", "0"});
}

// The window the table gives the press at `step`: its number and text.
std::string WindowOf(const std::string& output, long step) {
    char start[16];
    snprintf(start, sizeof start, "\n  %5ld  ", step);
    const size_t row = output.find(start);
    if (row == std::string::npos) return "";
    const size_t end = output.find('\n', row + 1);
    const std::string line = output.substr(row + 1, end - row - 1);
    return line.substr(line.find_last_of(' ') + 1);
}
}

// The mended places keep the floors docs/stages.md states: the jumps from the
// shelf onto blk301a's high ground and onto its lowered pillar land with a
// window of at least 12 steps, the jump over blk401a's first pit with one of
// at least 8. The pillar's window is no wider than 30, and the tool says so,
// as it does for a route named after no stage. Both of blk301a's places are
// measured in one run of the tool, each up to its own floor.
TEST(RouteWindow, MendedJumpsKeepTheirFloorAndATightOneFails) {
    RunResult shelf = MeasurePresses("blk301a", "750:30,889:12");
    EXPECT_EQ(shelf.exitCode, 1) << shelf.output;
    EXPECT_NE(shelf.output.find("blk301a: 2 presses, tightest window "), std::string::npos) << shelf.output;
    const std::string climb = WindowOf(shelf.output, 889);
    EXPECT_GE(std::atoi(climb.c_str()), 12) << shelf.output;
    EXPECT_EQ(climb.back(), '+') << shelf.output;
    EXPECT_EQ(shelf.output.find("at step 889 has a window"), std::string::npos) << shelf.output;
    const std::string said = "the press of x at step 750 has a window of ";
    const size_t pillar = shelf.output.find(said);
    ASSERT_NE(pillar, std::string::npos) << shelf.output;
    EXPECT_GE(std::atoi(shelf.output.c_str() + pillar + said.size()), 12) << shelf.output;
    RunResult pit = MeasurePresses("blk401a", "263:8");
    EXPECT_EQ(pit.exitCode, 0) << pit.output;
    EXPECT_NE(pit.output.find("+ steps (x at step 263)"), std::string::npos) << pit.output;

    TempDir dir;
    std::ofstream(dir.path + "/nostage.movie") << "duskhold-movie 1\n41 down right\n50 up right\n";
    RunResult nostage = RunProgram(ToolPath("routewindow"), {dir.path + "/nostage.movie", "--hits"});
    EXPECT_EQ(nostage.exitCode, 1) << nostage.output;
    EXPECT_NE(nostage.output.find("nostage.movie: the game did not play the stage nostage"), std::string::npos)
        << nostage.output;
}

// Holding Right and mashing jump does not clear the ramparts: the last knight
// paces the far edge of the gap before the gate, and a hero who walks into
// it instead of cracking it across the gap is knocked back into it.
TEST(RouteWindow, NoMasherClearsTheRamparts) {
    RunResult mash = RunProgram(ToolPath("routewindow"),
                                {std::string(DUSKHOLD_SOURCE_DIR) + "/content/routes/blk501a.movie", "--mash"});
    EXPECT_EQ(mash.exitCode, 0) << mash.output;
    EXPECT_NE(mash.output.find("blk501a: jump held: "), std::string::npos) << mash.output;
    EXPECT_NE(mash.output.find("blk501a: jump pulsed: game over on step "), std::string::npos) << mash.output;
    EXPECT_EQ(mash.output.find("CLEARS"), std::string::npos) << mash.output;
}
