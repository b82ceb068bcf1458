#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <fstream>
#include <sstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
RunResult Tool(const std::vector<std::string>& args) { return RunProgram(ToolPath("level"), args); }
}

TEST(LevelTool, CompileDumpCheckAndTheirFailures) {
    std::string dir = MakeTempDir();
    // A play stage of 41 columns with a lantern: no lantern warning.
    std::ofstream(dir + "/good.txt")
        << "tiles 7\nbackground 0 0 0 0 18 0 8 8\nplay\nthing lantern x=12 y=0\ngrid main 40 0\n"
           "legend # 0\n|#" +
               std::string(40, '.') + "\nend\n";
    RunResult compiled = Tool({"compile", dir + "/good.txt", dir + "/good"});
    ASSERT_EQ(compiled.exitCode, 0) << compiled.output;
    RunResult dumped = Tool({"dump", dir + "/good"});
    EXPECT_EQ(dumped.exitCode, 0);
    EXPECT_NE(dumped.output.find("tiles 7\n"), std::string::npos) << dumped.output;

    // The pictures the level names and the data directory lacks are listed.
    mkdir((dir + "/tiles").c_str(), 0755);
    std::ofstream(dir + "/tiles/tile0007.png") << "x";
    RunResult check = Tool({"check", "--data", dir, dir + "/good"});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_NE(check.output.find("missing picture: bg\\bg0018.png"), std::string::npos) << check.output;
    EXPECT_EQ(check.output.find("tile0007"), std::string::npos) << check.output;
    EXPECT_NE(check.output.find("not ready, 1 missing picture"), std::string::npos) << check.output;
    EXPECT_EQ(check.output.find("lantern"), std::string::npos) << check.output;

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
    // A huge sparse level, map or source is refused before it is read.
    for (const std::string& huge : {dir + "/huge", dir + "/huge.tmj", dir + "/huge.txt"}) {
        std::ofstream(huge).close();
        ASSERT_EQ(truncate(huge.c_str(), 100LL << 30), 0);
        RunResult refusal = Tool(huge == dir + "/huge" ? std::vector<std::string>{"check", huge}
                                                       : std::vector<std::string>{"compile", huge, dir + "/x"});
        EXPECT_EQ(refusal.exitCode, 1);
        EXPECT_NE(refusal.output.find("it holds 107374182400 bytes, more than"), std::string::npos) << refusal.output;
    }
    EXPECT_EQ(Tool({"dump", dir + "/nothere"}).exitCode, 1);
    EXPECT_EQ(Tool({"compile", dir + "/nothere.txt", dir + "/x"}).exitCode, 1);
    EXPECT_EQ(Tool({"compile", dir + "/bad.txt"}).exitCode, 2);
    RunResult unknown = Tool({"dump", "--verbose", dir + "/good"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.output.find("duskhold-level: unknown option --verbose"), std::string::npos) << unknown.output;
}

// Each mistake in an otherwise sound level is one line naming its cell or
// field: a warning (exit 0), or an error with --strict (exit 1). A play
// stage's fields the game cannot read are mistakes too, as are misplaced
// things (one level holds one of each, each named on a line of its own).
TEST(LevelTool, CheckWarnsOfEachMistakeAndStrictRefusesIt) {
    const std::string sound =
        "tiles 100 109\nbounds 0 0 1440 720\nstart 480 480\ntile -1 0 0\ntile 0 0 1\ntile 1 0 0\n"
        "grid main 5 3\nlegend # 1\nlegend g 2\n|#....g\n|#....g\n|######\n|######\nend\n";
    // With the play marker "duskhold play jump=200 run=1".
    const std::string badPlay =
        "start 480 480\nmarker 0 0 0 0 28 6475736b686f6c6420706c6179206a756d703d3230302072756e3d31\n";
    const std::string open = "|#" + std::string(39, '.') + "g\n", floor = "|" + std::string(41, '#') + "\n";
    const std::string badThings =
        "play\nmarker 0 0 0 0 21 6475736b686f6c6420646f6f7220783d3120793d31\n"
        "marker 0 0 0 0 30 6475736b686f6c642077616c6b657220783d363020793d34382068703d30\nthing gem x=2000 y=48\n"
        "thing spikes x=48 y=48 width=3\nthing platform x=60 y=48 width=1 dx=0 dy=24\n"
        "grid main 40 3\nlegend # 1\nlegend g 2\n" +
        open + open + floor + floor;
    struct Mistake {
        std::string from, to, line;
    };
    const Mistake mistakes[] = {
        {"0 0 1440 720", "240 -240 1200 960", "bounds top: -24 px reaches past the main grid's edge at 0 px"},
        {"0 0 1440 720", "240 -240 1200 960",
         "bounds right: 120 px leaves part of the main grid out of view, its edge is at 144 px"},
        {"start 480", "start 2000", "start: (200, 48) px is outside the level"},
        {"start 480", "start 1300", "start: (130, 48) px is on or past the exit line at 120 px"},
        {"start 480", "start 120", "start: (12, 48) px puts the hero inside solid cell main (0, 1)"},
        {"g 2\n|#....g\n|#....g", "g 2\nlegend x 7\n|#....g\n|#.x..g", "main (2, 1): tile definition 7 does not exist"},
        {"tile 1 0 0\n", "tile 1 0 0\ntile 5 0 0\n", "tile definition 3: tile picture 5 does not exist (2 pictures)"},
        {"end\n", "end\ngrid back 5 3\nlegend z 2\n|......\n|.z....\n|......\n|......\nend\n",
         "back (1, 1): tile picture 2 does not exist"},
        {"|#....g\n|#....g", "|.....g\n|.....g", "main (0, 1): no wall, the hero can walk off the left edge"},
        {"|#....g\n|#....g", "|#...#.\n|#...#.", "main columns 4 and 5: no opening two cells high, no way out"},
        {"|#....g\n|#....g", "|#.....\n|#.....", "main columns 4 and 5: no exit gate"},
        {"start 480 480\n", badPlay, "play: the play marker's jump=200 is outside 24 to 144"},
        {"start 480 480\n", badPlay, "play: the play marker has an unknown field 'run'"},
        {"grid main 5 3\nlegend # 1\nlegend g 2\n|#....g\n|#....g\n|######\n|######\n", badThings,
         "things: a marker names the unknown kind 'door'\nthings: the walker marker 1's hp=0 is outside 1 to 40\n"
         "things: the gem marker 2 at (2000, 48) px is outside the stage (0 to 984, 0 to 72)\n"
         "things: the spikes marker 3 at (48, 48) px stands in solid cell main (0, 1)\n"
         "things: the platform marker 4's path to (60, 72) px crosses solid cell main (2, 2)\n"
         "things: no lantern in a play stage 984 px wide: each lost life starts it over"},
        {"|######\n|######\nend\n",
         "|##..##\n|##..##\nend\nplay\ngrid back 5 3\nlegend z 1\n|z.....\n|......\n|..zz..\n|......\nend\n",
         "back (2, 2): painted at the bottom of a pit, it looks like a floor\n"
         "back (3, 2): painted at the bottom of a pit, it looks like a floor"},
    };
    TempDir dir;
    for (const Mistake& mistake : mistakes) {
        SCOPED_TRACE(mistake.line);
        std::string source = sound;
        source.replace(source.find(mistake.from), mistake.from.size(), mistake.to);
        std::ofstream(dir / "level.txt") << source;
        ASSERT_EQ(Tool({"compile", dir / "level.txt", dir / "level"}).exitCode, 0);
        RunResult warned = Tool({"check", dir / "level", "--data", BuiltDataDir()});
        RunResult refused = Tool({"check", "--strict", dir / "level", "--data", BuiltDataDir()});
        EXPECT_EQ(warned.exitCode, 0);
        EXPECT_EQ(refused.exitCode, 1);
        std::istringstream lines(mistake.line);
        for (std::string line; std::getline(lines, line);) {
            EXPECT_NE(warned.output.find("warning: " + line), std::string::npos) << warned.output;
            EXPECT_NE(refused.output.find("error: " + line), std::string::npos) << refused.output;
        }
    }
}
