#include "PlayData.h"
#include "support/GlWindow.h"
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

std::string CopyOfBuiltData() {
    std::string dir = MakeTempDir() + "/data";
    RunResult copy = RunProgram("cp", {"-r", BuiltDataDir(), dir});
    EXPECT_EQ(copy.exitCode, 0) << copy.output;
    return dir;
}

void WriteSaveFile(const std::string& dataDir, const std::vector<std::string>& files) {
    std::vector<std::string> args = {"new", dataDir + "/svfile"};
    args.insert(args.end(), files.begin(), files.end());
    RunResult written = RunProgram(ToolPath("save"), args);
    EXPECT_EQ(written.exitCode, 0) << written.output;
}

void CompileStage(const std::string& dataDir, const std::string& levelName, const std::string& text) {
    std::string source = dataDir + "/" + levelName + ".txt";
    std::ofstream(source) << text;
    RunResult mkdir = RunProgram("mkdir", {"-p", dataDir + "/levels"});
    EXPECT_EQ(mkdir.exitCode, 0) << mkdir.output;
    RunResult compiled = RunProgram(ToolPath("level"), {"compile", source, dataDir + "/levels/" + levelName});
    EXPECT_EQ(compiled.exitCode, 0) << compiled.output;
}

void WriteBottomlessStage(const std::string& dataDir, const std::string& levelName, const std::string& animatedTiles) {
    std::string text = animatedTiles.empty() ? "" : "animated " + animatedTiles + "\n";
    text += "bounds 0 0 3200 2400\nstart 1600 480\ntile -1 0 0\ngrid main 13 9\nlegend - 0\n";
    for (int row = 0; row < 10; ++row) text += "|--------------\n";
    CompileStage(dataDir, levelName, text + "end\n");
}

void WriteFloorStage(const std::string& dataDir, const std::string& levelName, const std::string& play) {
    std::string text =
        "bounds 0 0 3360 4800\nstart 2400 1920\ntile -1 0 0\ntile -1 0 1\n" + play + "grid main 13 14\nlegend # 1\n";
    for (int row = 0; row < 15; ++row) text += row < 8 ? "|..............\n" : "|##############\n";
    CompileStage(dataDir, levelName, text + "end\n");
}

std::string MovieText(const std::vector<KeyHold>& holds) {
    std::multimap<long, std::string> events;
    for (const KeyHold& hold : holds) {
        events.emplace(hold.step, "down " + hold.key);
        events.emplace(hold.step + hold.steps, "up " + hold.key);
    }
    std::string text = "duskhold-movie 1\n";
    for (const auto& [step, event] : events) text += std::to_string(step) + " " + event + "\n";
    return text;
}

Play PlayMovie(const std::string& dataDir, const std::vector<KeyHold>& holds, long steps,
               const std::vector<std::string>& extraArgs, const std::vector<std::string>& env,
               const std::function<void(const std::string& output)>& watch) {
    std::string dir = MakeTempDir();
    std::ofstream(dir + "/play.movie") << MovieText(holds);
    // The disk driver writes sound as fast as it can; the dummy device keeps
    // real time, opens without hardware and leaves the processor to the game.
    // Only the pictured steps are drawn: the plays check the trace.
    std::vector<std::string> args = env;
    args.insert(args.end(),
                {DUSKHOLD_BINARY, "--fast", "--unseen", "--steps", std::to_string(steps), "--window", "320x240",
                 "--data", dataDir, "--replay", dir + "/play.movie", "--trace", dir + "/trace.jsonl"});
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    Play play;
    play.run = RunProgram("env", args, watch);
    play.trace = ReadLines(dir + "/trace.jsonl");
    RunProgram("rm", {"-rf", dir});
    return play;
}

std::string StepLine(const Play& play, long step) {
    return step >= 1 && size_t(step) <= play.trace.size() ? play.trace[size_t(step) - 1] : std::string();
}

long FirstStep(const Play& play, const std::string& field, const std::string& value, long from) {
    for (long step = std::max(from, 1L); size_t(step) <= play.trace.size(); ++step)
        if (JsonField(StepLine(play, step), field) == value) return step;
    return 0;
}

std::vector<KeyHold> MenuToFileList(long menuStep) {
    return {
        {menuStep + 79, "z", 2},  // GAME START: the second column is in 25 draws later
        {menuStep + 109, "down", 2},
        {menuStep + 124, "z", 2},  // SELECT FILE: the PLAY column slides in
        {menuStep + kMenuToFileList, "z", 2},
    };
}

std::vector<KeyHold> ToFileList() {
    std::vector<KeyHold> holds = {{1, "z", 50}};
    for (const KeyHold& hold : MenuToFileList(kMenuStep)) holds.push_back(hold);
    return holds;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}
