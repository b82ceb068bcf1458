#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {
RunResult MeasurePresses(const std::string& stage, const std::string& from, const std::string& to,
                         const std::string& floor) {
    return RunProgram(ToolPath("routewindow"),
                      {std::string(DUSKHOLD_SOURCE_DIR) + "/content/routes/" + stage + ".movie", "--from", from, "--to",
                       to, "--floor", floor, "--show", "0"});
}
}

// The mended places keep the floors docs/stages.md states: the jumps from the
// shelf onto blk301a's high ground and onto its lowered pillar land with a
// window of at least 12 steps, the jump over blk401a's first pit with one of
// at least 8. The pillar's window is no wider than 30, and the tool says so,
// as it does for a route named after no stage.
TEST(RouteWindow, MendedJumpsKeepTheirFloorAndATightOneFails) {
    RunResult climb = MeasurePresses("blk301a", "880", "900", "12");
    EXPECT_EQ(climb.exitCode, 0) << climb.output;
    EXPECT_NE(climb.output.find("blk301a: 1 press, tightest window "), std::string::npos) << climb.output;
    EXPECT_NE(climb.output.find("+ steps (x at step 889)"), std::string::npos) << climb.output;
    RunResult pit = MeasurePresses("blk401a", "250", "270", "8");
    EXPECT_EQ(pit.exitCode, 0) << pit.output;
    EXPECT_NE(pit.output.find("+ steps (x at step 263)"), std::string::npos) << pit.output;
    // One measure of the pillar's jump: below 30, it fails and says its window, at least 12.
    RunResult pillar = MeasurePresses("blk301a", "745", "755", "30");
    EXPECT_EQ(pillar.exitCode, 1) << pillar.output;
    const std::string said = "the press of x at step 750 has a window of ";
    const size_t window = pillar.output.find(said);
    ASSERT_NE(window, std::string::npos) << pillar.output;
    EXPECT_GE(std::atoi(pillar.output.c_str() + window + said.size()), 12) << pillar.output;

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
