#include "PlayData.h"
#include "support/GlWindow.h"
#include <chrono>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>

// Files with counts and steps that would make a careless loader loop for
// billions of rounds. Each must load at once; the figures are printed, and
// the test's time limit is the guard.
namespace {
double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The first stage's source with every background layer's frame width, which
// is also its repeat step, set to 0.
std::string ZeroStepSource(const std::string& dumped) {
    std::istringstream in(dumped);
    std::string out;
    int layers = 0;
    for (std::string line; std::getline(in, line); out += line + "\n") {
        if (line.rfind("background ", 0) != 0) continue;
        std::istringstream words(line);
        std::vector<std::string> fields;
        for (std::string word; words >> word;) fields.push_back(word);
        fields.at(7) = "0";
        line.clear();
        for (const std::string& field : fields) line += (line.empty() ? "" : " ") + field;
        ++layers;
    }
    EXPECT_GT(layers, 1);
    return out;
}

void PutInt32(std::string& bytes, size_t at, int32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = char(uint32_t(value) >> (8 * i));
}

std::string LittleEndian(int32_t value) {
    std::string bytes(4, '\0');
    PutInt32(bytes, 0, value);
    return bytes;
}

RunResult Compile(const std::string& data, const std::string& source, const std::string& level) {
    std::ofstream(data + "/" + level + ".txt") << source;
    return RunProgram(ToolPath("level"), {"compile", data + "/" + level + ".txt", data + "/levels/" + level});
}
}

TEST(BadData, BrokenLevelsLoadAtOnceAndTheRunGoesOn) {
    std::string data = CopyOfBuiltData();
    RunResult dump = RunProgram(ToolPath("level"), {"dump", data + "/levels/blk101"});
    ASSERT_EQ(dump.exitCode, 0) << dump.output;
    RunResult compiled = Compile(data, ZeroStepSource(dump.output), "zero");
    ASSERT_EQ(compiled.exitCode, 0) << compiled.output;

    // A marker whose position words are easy to find, then its length made
    // 2^31 - 1 in the file's bytes: the file ends long before that.
    compiled = Compile(data, "marker 287454020 1432778632 3 4 2 4142\nstart 10 20\ngrid main 0 0\n|.\nend\n", "marker");
    ASSERT_EQ(compiled.exitCode, 0) << compiled.output;
    std::string level = ReadTextFile(data + "/levels/marker");
    size_t marker = level.find(LittleEndian(287454020) + LittleEndian(1432778632));
    ASSERT_NE(marker, std::string::npos);
    PutInt32(level, marker + 10, INT32_MAX);
    std::ofstream(data + "/levels/marker", std::ios::binary) << level;

    auto started = std::chrono::steady_clock::now();
    Play zero = PlayMovie(data, {}, 60, {"--level", "zero"});
    std::cout << "60 steps on the stage whose layers repeat every 0 pixels: " << Seconds(started) << " s\n";
    EXPECT_EQ(zero.run.exitCode, 0) << zero.run.output;
    EXPECT_EQ(zero.run.output.find("not loaded"), std::string::npos) << zero.run.output;
    EXPECT_EQ(JsonField(StepLine(zero, 60), "state"), "\"game\"");
    EXPECT_NE(JsonField(StepLine(zero, 60), "player"), "null");

    started = std::chrono::steady_clock::now();
    Play huge = PlayMovie(data, {}, 5, {"--level", "marker"});
    std::cout << "5 steps on the level whose marker claims 2^31 - 1 bytes: " << Seconds(started) << " s\n";
    EXPECT_EQ(huge.run.exitCode, 0) << huge.run.output;
    EXPECT_NE(huge.run.output.find("Level levels\\marker not loaded"), std::string::npos) << huge.run.output;
}

TEST(BadData, ASaveFileCountingTwoBillionFilesListsTwentyAndPlays) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"OUTSET:1"});
    std::string bytes = ReadTextFile(data + "/svfile");
    ASSERT_GE(bytes.size(), 4u);
    PutInt32(bytes, 0, INT32_MAX);
    std::ofstream(data + "/svfile", std::ios::binary) << bytes;

    std::vector<KeyHold> holds = ToFileList();
    holds.push_back({kFileListStep + 20, "z", 2});
    auto started = std::chrono::steady_clock::now();
    Play play = PlayMovie(data, holds, kFileListStep + 25);
    std::cout << kFileListStep + 25
              << " steps through a menu whose save file counts 2^31 - 1 files: " << Seconds(started) << " s\n";
    ASSERT_EQ(play.run.exitCode, 0) << play.run.output;
    EXPECT_EQ(JsonField(StepLine(play, kFileListStep + 25), "state"), "\"game\"");
    EXPECT_EQ(JsonField(StepLine(play, kFileListStep + 25), "level"), "\"blk101\"");
}
