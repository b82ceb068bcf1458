#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// A data directory with one level compiled by duskhold-level from `source`.
std::string DataWithLevel(const char* name, const std::string& source) {
    std::string dir = MakeTempDir();
    mkdir((dir + "/levels").c_str(), 0755);
    std::ofstream(dir + "/stage.txt") << source;
    RunResult compiled = RunProgram(ToolPath("level"), {"compile", dir + "/stage.txt", dir + "/levels/" + name});
    EXPECT_EQ(compiled.exitCode, 0) << compiled.output;
    return dir;
}

const char* const kFloorStage = R"(
bounds 0 0 14400 2400
start 1205 960
tile -1 0 1
tile -1 0 0
grid main 59 9
legend # 0
legend - 1
|------------------------------------------------------------
|------------------------------------------------------------
|------------------------------------------------------------
|------------------------------------------------------------
|############################################################
|------------------------------------------------------------
|------------------------------------------------------------
|------------------------------------------------------------
|------------------------------------------------------------
|------------------------------------------------------------
end
)";

}  // namespace

TEST(LevelStart, LevelOptionStartsTheStageWithTheHeroOnItsStartPoint) {
    std::string data = DataWithLevel("e2e", kFloorStage);
    std::string trace = data + "/trace.jsonl";
    RunResult run = RunGame({"--fast", "--steps", "5", "--data", data, "--level", "e2e", "--trace", trace,
                             "--window", "320x240"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    std::vector<std::string> lines = ReadLines(trace);
    ASSERT_EQ(lines.size(), 5u);
    for (const std::string& line : lines) {
        EXPECT_EQ(JsonField(line, "state"), "\"game\"");
        EXPECT_EQ(JsonField(line, "level"), "\"e2e\"");
        // Standing on the floor whose top is at y 96.
        EXPECT_EQ(JsonField(line, "player"), "[120,96]");
    }
}

TEST(LevelStart, ATruncatedLevelGivesAStatusLineAndAnEmptyStage) {
    std::string data = DataWithLevel("cut", kFloorStage);
    std::string path = data + "/levels/cut";
    std::string bytes = ReadTextFile(path);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes.substr(0, bytes.size() / 2);
    std::string trace = data + "/trace.jsonl";
    RunResult run = RunGame({"--fast", "--steps", "3", "--data", data, "--level", "cut", "--trace", trace,
                             "--window", "320x240"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Level levels\\cut not loaded: the file ends early, in the main grid\r\n"),
              std::string::npos)
        << run.output;
    std::vector<std::string> lines = ReadLines(trace);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(JsonField(lines[2], "player"), "null");
}
