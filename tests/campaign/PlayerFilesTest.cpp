// The player's own files, svfile and settings, when what is on disk is odd:
// empty, a link to a device or a FIFO, read-only, beside temporary files
// that a crash left, or locked by another program.
#include "campaign/SaveProgress.h"
#include "campaign/Settings.h"
#include "ChildGame.h"
#include "platform/Files.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {
// A player's folder holding svfile (ALDRIC on stage 1) and settings.
struct PlayerFolder {
    PlayerFolder() {
        mkdir(folder.c_str(), 0755);
        EXPECT_EQ(RunProgram(ToolPath("save"), {"new", svfile, "ALDRIC:1"}).exitCode, 0);
        std::ofstream(settings) << "music_volume = 10\n";
    }
    TempDir home;
    const std::string folder = home / "duskhold", svfile = folder + "/svfile", settings = folder + "/settings";
};

// A game that reads the list and clears the first file's first stage.
std::vector<std::function<void()>> ReadAndClear() {
    return {[] {
                SaveFileTable table;
                ReadMenuSaveFile(table);
                SetPlayedFile(0);
            },
            [] { SaveStageCleared(2); }};
}

// A game that reads the list and makes a new file, MIRA.
std::function<void()> AddsMira() {
    return [] {
        SaveFileTable table;
        ReadMenuSaveFile(table);
        SaveFileEntry entry;
        std::string why;
        MakeSaveEntry("MIRA", 1, entry, why);
        AddNewFile(entry);
    };
}

// A game that loads the settings and changes the music's volume.
std::function<void()> ChangesTheMusic(const std::string& path, int32_t volume) {
    return [path, volume] {
        if (SettingsPath() != path) LoadSettings(path);
        TheSettings().values.musicVolume = volume;
        NoteSettingsChanged();
        KeepChangedSettings();
    };
}

int32_t SavedStage(const std::string& path) {
    SaveFileTable table;
    std::string why;
    return LoadSaveFile(path, table, why) && table.count > 0 ? table.files[0].stage : -1;
}
}

// An empty svfile holds nothing to keep: a new file is written over it.
TEST(PlayerFiles, AnEmptySaveFileHoldsNothingToKeepAndIsWrittenOver) {
    PlayerFolder player;
    std::ofstream(player.svfile, std::ios::trunc).close();
    EXPECT_EQ(ChildGame(player.home.path, {AddsMira()}).Rest(), "");
    SaveFileTable saved;
    std::string why;
    ASSERT_TRUE(LoadSaveFile(player.svfile, saved, why)) << why;
    ASSERT_EQ(saved.count, 1);
    EXPECT_EQ(SaveEntryName(saved.files[0]), "MIRA");
}

// svfile and settings that are links to a FIFO, or to a device (when this
// test may make one), are refused with a status line and stay what they are.
TEST(PlayerFiles, ALinkToADeviceOrAFifoIsRefusedAndNeverReplaced) {
    PlayerFolder player;
    const std::string fifo = player.home / "fifo", device = player.home / "null";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    std::vector<std::string> targets = {fifo};
    if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) targets.push_back(device);
    for (const std::string& target : targets) {
        SCOPED_TRACE(target);
        for (const std::string& link : {player.svfile, player.settings}) {
            remove(link.c_str());
            ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
        }
        const std::string said = ChildGame(player.home.path, {AddsMira(), ChangesTheMusic(player.settings, 3)}).Rest();
        EXPECT_NE(said.find("New file MIRA not saved (kept until the game ends): " + player.svfile + " (a link to " +
                            target + ") is a "),
                  std::string::npos)
            << said;
        EXPECT_NE(said.find(", not a regular file: it is not replaced"), std::string::npos) << said;
        EXPECT_NE(said.find("Settings are kept for this run only: " + player.settings + " could not be read"),
                  std::string::npos)
            << said;
        struct stat info;
        EXPECT_TRUE(stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode));
        EXPECT_TRUE(lstat(player.svfile.c_str(), &info) == 0 && S_ISLNK(info.st_mode));
    }
}

// A read-only svfile or settings is the player's choice: kept, and said once
// however often the game saves.
TEST(PlayerFiles, AReadOnlyFileIsKeptAndSaidOnce) {
    PlayerFolder player;
    ASSERT_EQ(chmod(player.svfile.c_str(), 0444) | chmod(player.settings.c_str(), 0444), 0);
    const std::string svfile = ReadTextFile(player.svfile), settings = ReadTextFile(player.settings);
    std::vector<std::function<void()>> steps = ReadAndClear();
    steps.insert(steps.end(), {[] { SaveStageCleared(3); }, ChangesTheMusic(player.settings, 3),
                               ChangesTheMusic(player.settings, 4)});
    const std::string said = ChildGame(player.home.path, steps).Rest();
    EXPECT_EQ(said, "Progress not saved (kept until the game ends): " + player.svfile +
                        " is read-only: it is kept as it is\nSettings are kept for this run only: " + player.settings +
                        " is read-only: it is kept as it is\n");
    EXPECT_EQ(ReadTextFile(player.svfile), svfile);
    EXPECT_EQ(ReadTextFile(player.settings), settings);
}

// Temporary files that a writer ended before its rename left are removed by
// the next save under the lock; other names that only look like them stay.
TEST(PlayerFiles, LeftoverTemporaryFilesAreRemovedUnderTheLock) {
    PlayerFolder player;
    const std::vector<std::string> leftovers = {player.svfile + ".new-AbC123", player.settings + ".new-x9Yz00"};
    const std::vector<std::string> others = {player.svfile + ".new-keep", player.svfile + ".new-ABCDEFG",
                                             player.folder + "/other.new-AbC123"};
    for (const std::string& path : leftovers) std::ofstream(path) << "left";
    for (const std::string& path : others) std::ofstream(path) << "other";
    std::vector<std::function<void()>> steps = ReadAndClear();
    steps.push_back(ChangesTheMusic(player.settings, 3));
    EXPECT_EQ(ChildGame(player.home.path, steps).Rest(), "");
    for (const std::string& path : leftovers) EXPECT_FALSE(GameFileIsThere(path)) << path;
    for (const std::string& path : others) EXPECT_EQ(ReadTextFile(path), "other") << path;
    EXPECT_EQ(SavedStage(player.svfile), 2);
}

// While another program holds svfile.lock or settings.lock a save never
// waits: the game goes on, says once after a while that the save waits, and
// saves on the first step after the lock is free. A lock that is a link is
// refused, saying so.
TEST(PlayerFiles, AHeldLockNeverStopsTheGameAndTheSaveLandsOnceItIsFree) {
    PlayerFolder player;
    std::vector<std::function<void()>> steps = ReadAndClear();
    steps.push_back(ChangesTheMusic(player.settings, 3));
    const auto waitingSteps = [](long count) {
        return [count] {
            for (long step = 0; step < count; ++step) SaveWhatWaits(), KeepWaitingSettings();
        };
    };
    steps.insert(steps.end(), {waitingSteps(kLockWaitSteps), waitingSteps(1)});
    ChildGame game(player.home.path, steps);
    // Taken after the game's fork, so that only this process holds them.
    int svfileLock = open((player.svfile + ".lock").c_str(), O_RDWR | O_CREAT, 0644);
    int settingsLock = open((player.settings + ".lock").c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_EQ(flock(svfileLock, LOCK_EX) | flock(settingsLock, LOCK_EX), 0);
    EXPECT_EQ(game.Next() + game.Next(), "");  // the clear returns at once
    EXPECT_EQ(game.Next(), "");                // so does the settings' write
    EXPECT_EQ(game.Next(), "Save waiting: another program holds the lock " + player.svfile +
                               ".lock; the progress is kept and saved once it is free\nSettings waiting: another "
                               "program holds the lock " +
                               player.settings + ".lock; they are saved once it is free\n");
    EXPECT_EQ(SavedStage(player.svfile), 1);
    close(svfileLock);
    close(settingsLock);
    EXPECT_EQ(game.Next(), "Progress saved: the lock " + player.svfile + ".lock is free\nSettings saved: the lock " +
                               player.settings + ".lock is free\n");
    EXPECT_EQ(SavedStage(player.svfile), 2);
    EXPECT_EQ(ReadTextFile(player.settings).substr(0, 17), "music_volume = 3\n");

    remove((player.svfile + ".lock").c_str());
    ASSERT_EQ(symlink("elsewhere", (player.svfile + ".lock").c_str()), 0);
    EXPECT_NE(ChildGame(player.home.path, ReadAndClear())
                  .Rest()
                  .find("the lock " + player.svfile + ".lock is a symbolic link, and a lock is never followed"),
              std::string::npos);
    EXPECT_EQ(SavedStage(player.svfile), 2);
}
