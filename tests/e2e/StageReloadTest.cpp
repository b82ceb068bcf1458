#include "PlayData.h"
#include "support/GlWindow.h"
#include <csignal>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// The game running on its own while the test changes its files; ended with
// SIGTERM, which it takes as a closed window.
struct RunningGame {
    pid_t pid = fork();
    RunningGame(std::vector<std::string> args, const std::string& log) {
        if (pid != 0) return;
        std::vector<char*> argv{const_cast<char*>(DUSKHOLD_BINARY)};
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        if (freopen(log.c_str(), "w", stdout) && dup2(1, 2) == 2) execv(DUSKHOLD_BINARY, argv.data());
        _exit(127);
    }
    int Stop() {
        int status = 0;
        if (pid > 0 && kill(pid, SIGTERM) == 0) waitpid(pid, &status, 0);
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    ~RunningGame() { Stop(); }
};

// Waits (ten seconds at most) until the game's output says `part` `times` times.
bool WaitForOutput(const std::string& log, const std::string& part, size_t times) {
    for (int tries = 0; tries < 1000; ++tries) {
        if (Count(ReadTextFile(log), part) >= times) return true;
        usleep(10000);
    }
    return false;
}

// Replaced whole, as an editor saving through a temporary file does.
void Replace(const std::string& path, const std::string& bytes) {
    std::ofstream(path + ".new", std::ios::binary) << bytes;
    rename((path + ".new").c_str(), path.c_str());
}

std::string Counts(const std::string& line) {
    return JsonField(line, "textures") + " " + JsonField(line, "sounds") + " " + JsonField(line, "shapes");
}
}

// F5 rebuilds the stage around the hero and F6 at its start point; with
// --watch a new level file, the old one again and a changed picture each
// rebuild it once, a broken and a huge one change nothing; nothing is left
// behind.
TEST(StageReload, KeysAndWatchRebuildTheStageAndABrokenFileChangesNothing) {
    const std::string data = CopyOfBuiltData(), level = data + "/levels/blk101", log = data + "/game.log";
    const std::string original = ReadTextFile(level);
    std::ofstream(data + "/narrow.txt") << "tiles 100\nbounds 0 0 1200 960\nstart 480 480\ntile -1 0 0\ntile 0 0 1\n"
                                           "grid main 4 4\nlegend # 1\n|.....\n|.....\n|#####\n|#####\n|#####\nend\n";
    ASSERT_EQ(RunProgram(ToolPath("level"), {"compile", data + "/narrow.txt", data + "/narrow"}).exitCode, 0);
    std::ofstream(data + "/keys.movie") << MovieText({{1, "right", 60}, {70, "f5", 1}, {80, "f6", 1}});
    RunningGame game({"--fast", "--steps", "1000000", "--watch", "--level", "blk101", "--window", "320x240", "--data",
                      data, "--replay", data + "/keys.movie", "--trace", data + "/trace.jsonl"},
                     log);
    ASSERT_TRUE(WaitForOutput(log, "restarted", 1)) << ReadTextFile(log);
    Replace(level, ReadTextFile(data + "/narrow"));
    EXPECT_TRUE(WaitForOutput(log, "reloaded", 2));
    Replace(level, std::string(12, '\0'));
    EXPECT_TRUE(WaitForOutput(log, "the header is not five zeros and 54", 1));
    // A sparse level of 2 GiB is refused unread.
    std::ofstream(level + ".new").close();
    ASSERT_EQ(truncate((level + ".new").c_str(), 2LL << 30), 0);
    rename((level + ".new").c_str(), level.c_str());
    EXPECT_TRUE(WaitForOutput(log, "it holds 2147483648 bytes, more than the", 1));
    Replace(level, original);
    EXPECT_TRUE(WaitForOutput(log, "reloaded", 3));
    Replace(data + "/tiles/tile0100.png", ReadTextFile(data + "/tiles/tile0101.png"));
    EXPECT_TRUE(WaitForOutput(log, "reloaded", 4));
    ASSERT_EQ(game.Stop(), 0) << ReadTextFile(log);

    Play play{{0, ReadTextFile(log)}, ReadLines(data + "/trace.jsonl")};
    EXPECT_EQ(Count(play.run.output, "reloaded"), 4u) << play.run.output;
    EXPECT_EQ(JsonField(StepLine(play, 70), "player"), JsonField(StepLine(play, 69), "player"));
    EXPECT_EQ(JsonField(StepLine(play, 80), "player"), "[60,264]");
    const std::string first = Counts(StepLine(play, 9));
    // The hero stood below the narrow level: he goes to its start point.
    const long narrow = FirstStep(play, "player", "[48,48]", 81);
    ASSERT_GT(narrow, 0);
    const std::string narrowCounts = Counts(StepLine(play, narrow));
    EXPECT_NE(narrowCounts, first);
    // The broken file came and went before the counts change again.
    long back = narrow;
    while (Counts(StepLine(play, back)) == narrowCounts) ++back;
    EXPECT_EQ(Counts(StepLine(play, back)), first);
    EXPECT_EQ(JsonField(StepLine(play, back), "player"), "[48,48]");  // still inside blk101
    EXPECT_EQ(Counts(play.trace.back()), first);
}
