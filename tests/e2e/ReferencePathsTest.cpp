#include "PlayData.h"
#include "support/GlWindow.h"
#include <fstream>
#include <gtest/gtest.h>

namespace {
// The game run twice with the same input, on its fast paths and on the plain
// reference paths; returns the trace and the picture of both runs.
struct BothRuns {
    std::string trace[2], shot[2];
};

BothRuns RunBothWays(std::vector<std::string> args, const std::string& shotStep) {
    std::string dir = MakeTempDir();
    BothRuns runs;
    for (int reference = 0; reference < 2; ++reference) {
        std::string name = dir + "/" + std::to_string(reference);
        std::vector<std::string> all = args;
        all.insert(all.end(), {"--fast", "--trace", name + ".jsonl", "--shot", shotStep + ":" + name + ".png"});
        if (reference) all.push_back("--reference");
        RunResult run = RunGame(all);
        EXPECT_EQ(run.exitCode, 0) << run.output;
        runs.trace[reference] = ReadTextFile(name + ".jsonl");
        runs.shot[reference] = ReadTextFile(name + ".png");
        EXPECT_GT(runs.shot[reference].size(), 100u);
    }
    return runs;
}
}

// The culled collision pass and level draw, the small off-screen picture,
// the recorded frames and drawing only the pictured steps (--unseen, which
// the reference paths ignore) must change nothing the player sees or the
// game does.
TEST(ReferencePaths, FastPathsGiveTheSameStepsAndPictures) {
    BothRuns title = RunBothWays({"--steps", "95", "--window", "960x720"}, "90");
    EXPECT_EQ(title.trace[0], title.trace[1]);
    EXPECT_TRUE(title.shot[0] == title.shot[1]) << "the scaled-up title differs from the one drawn at full size";

    std::string movie = MakeTempDir() + "/walk.movie";
    std::ofstream(movie) << "duskhold-movie 1\n20 down right\n70 down z\n75 up z\n";
    BothRuns stage = RunBothWays(
        {"--steps", "140", "--window", "320x240", "--level", "blk101", "--replay", movie, "--unseen"}, "130");
    EXPECT_EQ(stage.trace[0], stage.trace[1]);
    EXPECT_TRUE(stage.shot[0] == stage.shot[1]) << "the stage drawn from recorded quads differs";

    // Two billion copies of a repeating background lie left of the screen:
    // both paths step over them and end.
    std::string data = CopyOfBuiltData();
    std::ofstream(data + "/far.txt") << "background -2000000000 0 1 0 18 0 1 240\n";
    RunResult compiled = RunProgram(ToolPath("level"), {"compile", data + "/far.txt", data + "/levels/far"});
    ASSERT_EQ(compiled.exitCode, 0) << compiled.output;
    BothRuns far = RunBothWays({"--steps", "3", "--window", "320x240", "--data", data, "--level", "far"}, "2");
    EXPECT_EQ(far.trace[0], far.trace[1]);
    EXPECT_TRUE(far.shot[0] == far.shot[1]) << "the far repeating background differs";
    RunProgram("rm", {"-rf", data.substr(0, data.rfind('/'))});
}
