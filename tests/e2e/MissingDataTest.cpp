#include "PlayData.h"
#include "campaign/StageTable.h"
#include "support/GlWindow.h"
#include "world/LevelFile.h"
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace fs = std::filesystem;

namespace {
std::string Slashed(std::string gamePath) {
    std::replace(gamePath.begin(), gamePath.end(), '\\', '/');
    return gamePath;
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
// opens these.
std::set<std::string> OnlyOtherStagesUse(const std::string& dataDir) {
    std::set<std::string> first = StageFiles(dataDir, StageRows()[0]), others;
    for (size_t i = 1; i < StageRowCount(); ++i)
        for (const std::string& file : StageFiles(dataDir, StageRows()[i]))
            if (!first.count(file)) others.insert(file);
    return others;
}
}

// Every picture, sound and tune is taken away at once (the save file and the
// levels stay, so that the run can reach the stage and the pictures the level
// names are asked for). The game goes from the title through the menu into the
// first stage, drops out of it into the game over, names every file it could
// not open, and ends normally.
TEST(MissingData, EveryMissingFileIsNamedAndTheGameGoesOn) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"OUTSET:1"});
    std::set<std::string> skipped = OnlyOtherStagesUse(data);
    skipped.insert("music/DH3- Stage Clear.mid");  // opened only when a stage is cleared
    // Drawn only in a stage that asks for play: this run drops through the
    // floor by the engine's rules to reach the game over at once.
    skipped.insert("sprites/hud.png");
    // Drawn and heard only where a stage that asks for play places things (the
    // shipped stages place 8 to 35 each); by the engine's rules it places none.
    for (const char* thing : {"sprites/things.png", "sound/pickup.wav", "sound/gem.wav", "sound/lantern.wav",
                              "sound/crumble.wav", "sprites/enemies.png", "sound/enemyhit.wav", "sound/clank.wav",
                              "sound/bonethrow.wav", "sprites/guardian.png"})
        skipped.insert(thing);
    std::vector<std::string> removed;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(data)) {
        std::string file = fs::relative(entry.path(), data).generic_string();
        // The icon is for the desktop entry and the stamp for the build; the
        // game opens neither.
        if (!entry.is_regular_file() || file == "svfile" || file[0] == '.' || file.rfind("levels/", 0) == 0 ||
            file.rfind("icon/", 0) == 0)
            continue;
        fs::remove(entry.path());
        if (!skipped.count(file)) removed.push_back(file);
    }
    ASSERT_GT(removed.size(), 30u);
    const long stage = kFileListStep + 20, over = stage + 60;
    std::vector<KeyHold> holds = ToFileList();
    holds.insert(holds.end(), {{stage, "z", 2}, {stage + 10, "z", 100}});
    Play play = PlayMovie(data, holds, over, {"--engine-rules"});
    EXPECT_EQ(play.run.exitCode, 0) << play.run.output;
    EXPECT_EQ(FirstStep(play, "state", "\"game\""), stage);
    EXPECT_EQ(JsonField(StepLine(play, over), "state"), "\"gameover\"");
    for (const std::string& file : removed)
        EXPECT_NE(play.run.output.find(fs::path(file).filename().string()), std::string::npos) << file;
}

TEST(MissingData, ADataDirectoryThatDoesNotExistIsNamedAndTheGameRuns) {
    std::string none = MakeTempDir() + "/no such data";
    Play play = PlayMovie(none, ToFileList(), 200);
    EXPECT_EQ(play.run.exitCode, 0) << play.run.output;
    EXPECT_NE(play.run.output.find("Data directory " + none), std::string::npos) << play.run.output;
    EXPECT_NE(play.run.output.find("cannot be used"), std::string::npos) << play.run.output;
    EXPECT_EQ(Count(play.run.output, "No save file svfile: the file list stays as it was"), 1u) << play.run.output;
    EXPECT_EQ(JsonField(StepLine(play, 200), "state"), "\"menu\"");
}
