#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <fstream>
#include <gtest/gtest.h>

namespace {
std::string WriteMovie(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
    return path;
}

RunResult RunSteps(long steps, std::vector<std::string> args) {
    std::vector<std::string> all = {"--fast", "--steps", std::to_string(steps), "--window", "320x240"};
    all.insert(all.end(), args.begin(), args.end());
    return RunGame(all);
}
}

TEST(MovieReplay, AMalformedLineEndsTheProgramBeforeTheWindowOpens) {
    std::string dir = MakeTempDir();
    std::string movie = WriteMovie(dir + "/bad.movie", "duskhold-movie 1\n\n2 down z\n3 press x\n");
    RunResult run = RunSteps(5, {"--replay", movie, "--trace", dir + "/t.jsonl"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find(movie + ":4: unknown event 'press'"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("Initializing Renderer"), std::string::npos) << run.output;
}

TEST(MovieReplay, ARecordedSessionReplaysToTheSameTrace) {
    std::string dir = MakeTempDir();
    std::string movie = WriteMovie(dir + "/hand.movie",
                                   "duskhold-movie 1\n"
                                   "# z held from the very first step\n"
                                   "1 down z\n"
                                   "2 down left shift\n"
                                   "3 down 35\n"
                                   "4 hat up-left\n"
                                   "4 hat centered   # lost: one hat event a step\n"
                                   "6 up z\n"
                                   "6 button 3 down\n"
                                   "9 button 3 up\n"
                                   "15 hat centered\n"
                                   "20 down x\n"
                                   "22 up x\n");
    RunResult first = RunSteps(40, {"--replay", movie, "--record", dir + "/rec.movie", "--trace", dir + "/a.jsonl"});
    ASSERT_EQ(first.exitCode, 0) << first.output;
    EXPECT_EQ(first.output.find("duskhold: "), std::string::npos) << first.output;  // a movie written says no fault
    RunResult second =
        RunSteps(40, {"--replay", dir + "/rec.movie", "--record", dir + "/again.movie", "--trace", dir + "/b.jsonl"});
    ASSERT_EQ(second.exitCode, 0) << second.output;
    std::string trace = ReadTextFile(dir + "/a.jsonl");
    std::vector<std::string> lines = ReadLines(dir + "/a.jsonl");
    ASSERT_EQ(lines.size(), 40u);
    EXPECT_EQ(JsonField(lines[0], "held"), "1024");
    EXPECT_EQ(JsonField(lines[4], "held"), "1027");
    EXPECT_EQ(JsonField(lines[5], "held"), "2051");
    EXPECT_EQ(trace, ReadTextFile(dir + "/b.jsonl"));
    std::string recorded = ReadTextFile(dir + "/rec.movie");
    EXPECT_EQ(recorded.rfind("duskhold-movie 1\n1 down z\n2 down left shift\n3 down 35\n4 hat up-left\n"
                             "4 hat centered\n6 up z\n6 button 3 down\n",
                             0),
              0u)
        << recorded;
    EXPECT_EQ(recorded, ReadTextFile(dir + "/again.movie"));
}
