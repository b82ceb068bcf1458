#include "base/Log.h"
#include "campaign/BestRun.h"
#include "campaign/BestRunRecords.h"
#include "platform/Files.h"
#include "support/GlWindow.h"
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

// A run of four steps whose second and third are alike writes three lines
// of each kind and reads back the same, floats to the last bit; a text that
// is cut, goes back or holds a line of no kind is refused, naming the line.
TEST(BestRun, ARunReadsBackAsWrittenAndABadOneSaysWhichLine) {
    BestRun run;
    run.level = "blk101";
    run.stageFile = 0xdeadbeef;
    run.inputs = {{0, 0}, {8, 0x4000}, {8, 0x4000}, {2, 0}};
    run.poses = {
        {240.0f, 192.0f, 0, 1}, {1234.5678f, 190.77f, 12, -1}, {1234.5678f, 190.77f, 12, -1}, {1e-7f, -3.5f, 255, 1}};
    run.lanterns = {{3, 2}, {7, 4}};
    const std::string text = BestRunText(run);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 12) << text;
    BestRun read;
    std::string why;
    ASSERT_TRUE(ReadBestRun(text, read, why)) << why;
    EXPECT_TRUE(read.level == run.level && read.stageFile == run.stageFile && read.inputs == run.inputs &&
                read.poses == run.poses && read.lanterns == run.lanterns);
    const std::string head = "duskhold-run 1\nlevel blk101\nstage-file 1\nsteps 3\n";
    for (const auto& [bad, reason] : std::vector<std::pair<std::string, std::string>>{
             {"duskhold-run 2\n", "line 1"},
             {head + "input 1 0 0\npose 2 1 1 0 1\n", "do not go forward"},
             {head + "input 0 0 0\n", "line 5: an input line"},
             {head + "input 1 0 0\ninput 1 8 0\npose 1 1 1 0 1\n", "line 6: the input lines"},
             {head + "input 1 0 0\npose 1 1 1 256 1\n", "line 6: a pose line"},
             {head + "input 1 0 0\npose 1 1 1 0 1\npose 4 1 1 0 1\n", "do not fit"},
             {head + "input 1 0 0\npose 1 nan 1 0 1\n", "line 6"},
             {head + "jump 1\n", "line 5: not a line of a run"},
             {"duskhold-run 1\ninput 1 0 0\npose 1 1 1 0 1\n", "lacks"}}) {
        EXPECT_FALSE(ReadBestRun(bad, read, why)) << bad;
        EXPECT_NE(why.find(reason), std::string::npos) << bad << why;
    }
}

// A kept run that does not read counts as none and is named on one status
// line to the player, however often it is looked for.
TEST(BestRunRecords, ARunThatDoesNotReadIsNoneAndSaidOnce) {
    TempDir home;
    setenv("XDG_DATA_HOME", home.path.c_str(), 1);
    const std::string path = BestRunPath(7, "blk101"), folder = path.substr(0, path.rfind('/'));
    std::string why;
    ASSERT_TRUE(MakeDirectories(folder, why)) << why;
    std::ofstream(path) << "duskhold-run 2\n";
    std::vector<std::string> told;
    SetPlayerSink([&](const std::string& line) { told.push_back(line); });
    EXPECT_EQ(FindBestRun(7, "blk101"), KeptRun::None);
    EXPECT_EQ(FindBestRun(7, "blk101"), KeptRun::None);
    SetPlayerSink(nullptr);
    unsetenv("XDG_DATA_HOME");
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].find("Best run " + path + " not read: line 1"), 0u) << told[0];
}
