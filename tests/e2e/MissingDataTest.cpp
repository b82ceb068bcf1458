#include "PlayData.h"
#include "screens/StageTable.h"
#include "support/GlWindow.h"
#include "world/LevelFile.h"
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <set>

namespace fs = std::filesystem;

namespace {
// Title, menu and ten steps into the first stage.
const long kSteps = kFileListStep + 30;
// From a floorless stage into the game-over screen.
const long kFallSteps = 120;

std::string Slashed(std::string gamePath) {
    std::replace(gamePath.begin(), gamePath.end(), '\\', '/');
    return gamePath;
}

// Every file of a data directory, as a path relative to it.
std::vector<std::string> DataFiles(const std::string& dir) {
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir)) {
        std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name[0] != '.')
            files.push_back(fs::relative(entry.path(), dir).generic_string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::set<std::string> StageFiles(const std::string& dataDir, const StageRow& stage) {
    std::string level = std::string("levels/") + stage.levelName;
    std::set<std::string> files = {level, Slashed(stage.music)};
    if (stage.picture) files.insert(Slashed(stage.picture));
    std::string bytes = ReadTextFile(dataDir + "/" + level);
    LevelFile::LevelData data;
    std::string reason;
    EXPECT_TRUE(LevelFile::ReadLevel(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), data, reason))
        << level << ": " << reason;
    for (const std::string& picture : LevelFile::PictureFiles(data)) files.insert(Slashed(picture));
    return files;
}

// What only the other stages use: a run that plays the first stage never
// opens these, so removing one of them cannot change it.
std::set<std::string> OnlyOtherStagesUse(const std::string& dataDir) {
    std::set<std::string> first = StageFiles(dataDir, StageRows()[0]), others;
    for (size_t i = 1; i < StageRowCount(); ++i)
        for (const std::string& file : StageFiles(dataDir, StageRows()[i]))
            if (!first.count(file)) others.insert(file);
    return others;
}

std::string FileName(const std::string& path) { return fs::path(path).filename().string(); }
}

// The game starts without each file in turn, names it, and still goes from
// the title through the menu into the first stage (without the save file
// there is no file to play, and it stays on the menu). A file that run never
// opens is one only the game over uses: a second run starts on a stage
// without a floor, falls into the game-over screen and must name it.
TEST(MissingData, EachFileMissingInTurnIsNamedAndTheGameGoesOn) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"OUTSET:1"});
    std::vector<std::string> files = DataFiles(data);
    WriteBottomlessStage(data, "fall");
    std::vector<KeyHold> holds = ToFileList();
    holds.push_back({kFileListStep + 20, "z", 2});
    std::set<std::string> skipped = OnlyOtherStagesUse(data);
    int runs = 0, fallRuns = 0;
    auto started = std::chrono::steady_clock::now();
    for (const std::string& file : files) {
        // The icon is for the desktop entry; the game never opens it.
        if (skipped.count(file) || file.rfind("icon/", 0) == 0) continue;
        SCOPED_TRACE(file);
        std::string kept = data + "/../kept";
        fs::rename(data + "/" + file, kept);
        Play play = PlayMovie(data, holds, kSteps);
        ++runs;
        EXPECT_EQ(play.run.exitCode, 0) << play.run.output;
        EXPECT_EQ(JsonField(StepLine(play, kSteps), "state"), file == "svfile" ? "\"menu\"" : "\"game\"");
        if (play.run.output.find(FileName(file)) == std::string::npos) {
            Play fall = PlayMovie(data, {}, kFallSteps, {"--level", "fall"});
            ++fallRuns;
            EXPECT_EQ(fall.run.exitCode, 0) << fall.run.output;
            EXPECT_NE(fall.run.output.find(FileName(file)), std::string::npos) << play.run.output << fall.run.output;
            EXPECT_EQ(JsonField(StepLine(fall, kFallSteps), "state"), "\"gameover\"");
        }
        fs::rename(kept, data + "/" + file);
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << runs << " files missing in turn, runs of " << kSteps << " steps and " << fallRuns << " of "
              << kFallSteps << " into the game over, in " << seconds << " s; " << skipped.size()
              << " files that only other stages use left out\n";
    EXPECT_GT(runs, 30);
    EXPECT_GT(fallRuns, 0);
}

TEST(MissingData, ADataDirectoryThatDoesNotExistIsNamedAndTheGameRuns) {
    std::string none = MakeTempDir() + "/no such data";
    Play play = PlayMovie(none, ToFileList(), 200);
    EXPECT_EQ(play.run.exitCode, 0) << play.run.output;
    EXPECT_NE(play.run.output.find("Data directory " + none), std::string::npos) << play.run.output;
    EXPECT_NE(play.run.output.find("cannot be used"), std::string::npos) << play.run.output;
    EXPECT_EQ(JsonField(StepLine(play, 200), "state"), "\"menu\"");
}
