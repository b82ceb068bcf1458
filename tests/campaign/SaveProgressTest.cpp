#include "campaign/AssistedBests.h"
#include "campaign/BestRunRecords.h"
#include "campaign/SaveProgress.h"
#include "platform/Files.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include "base/Log.h"
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// A game in a child process: it reads the menu's list, says so on `ready`,
// and clears a stage of `file` once `go` says that the other game has read
// the list too.
void PlayInAChild(const std::string& home, int32_t file, int32_t nextStage, int ready, int go) {
    if (fork() != 0) return;
    prctl(PR_SET_PDEATHSIG, SIGKILL);  // a test that hangs and is ended takes its games along
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    SaveFileTable table;
    char note = 'r';
    if (!ReadMenuSaveFile(table) || write(ready, &note, 1) != 1 || read(go, &note, 1) != 1) _exit(1);
    SetPlayedFile(file);
    KeepAssistedBest(7, "blk10" + std::to_string(file + 1), 100 + file, file);
    SaveStageCleared(nextStage, size_t(file) + 5, 3 + file, 100 + file);
    SaveBeforeQuitting();  // the other game may hold the lock a moment
    _exit(0);
}
}

// Two games read the list at once, then each clears a stage of its own file:
// both clears are saved, and so are both assisted bests each keeps for one
// file. The player's save is a link into a synced folder and stays one, its
// file keeps its permissions, and a link left under the old temporary name is
// not followed.
TEST(SaveProgress, TwoGamesClearingAtOnceKeepBothClearsAndLinksStayLinks) {
    TempDir home;
    const std::string folder = home / "duskhold", synced = home / "synced";
    ASSERT_EQ(mkdir(folder.c_str(), 0755) | mkdir(synced.c_str(), 0755), 0);
    ASSERT_EQ(RunProgram(ToolPath("save"), {"new", synced + "/svfile", "ALDRIC:1", "MIRA:32"}).exitCode, 0);
    std::ofstream(home / "kept") << "kept";
    ASSERT_EQ(chmod((synced + "/svfile").c_str(), 0640) | symlink("../synced/svfile", (folder + "/svfile").c_str()) |
                  symlink("../kept", (folder + "/svfile.new").c_str()),
              0);
    int ready[2], go[2];
    ASSERT_EQ(pipe(ready) | pipe(go), 0);
    PlayInAChild(home.path, 0, 2, ready[1], go[0]);
    PlayInAChild(home.path, 1, 33, ready[1], go[0]);
    close(ready[1]);  // a child that fails ends the wait below
    char notes[2];
    EXPECT_EQ(read(ready[0], notes, 1) + read(ready[0], notes, 1), 2);
    EXPECT_EQ(write(go[1], "gg", 2), 2);
    while (wait(nullptr) > 0) continue;
    SaveFileTable saved;
    std::string why;
    EXPECT_TRUE(LoadSaveFile(synced + "/svfile", saved, why)) << why;
    EXPECT_EQ(std::vector<int32_t>({saved.files[0].stage, saved.files[1].stage}), std::vector<int32_t>({2, 33}));
    EXPECT_EQ(ReadAssistedBests(AssistedBestsPath(folder + "/svfile", 7)).size(), 2u) << "both games' assisted bests";
    // Each clear kept its gems and its steps in its stage's spare values; a
    // lower count or a slower time does not replace a best, and neither the
    // identity nor the finished mark is a best's slot.
    EXPECT_EQ(std::vector<int32_t>(
                  {saved.files[0].six[5], saved.files[1].nine[0], saved.files[0].four[0], saved.files[1].four[1]}),
              std::vector<int32_t>({3, 4, 100, 101}));
    SaveFileEntry& entry = saved.files[0];
    const int32_t identity = FileIdentity(entry);
    KeepBestGems(entry, 5, 1);
    for (int32_t steps : {150, 90, 0, -5}) KeepBestSteps(entry, 5, steps);
    KeepBestSteps(entry, kTimeRecordSlots - 1, 7);
    KeepBestGems(entry, kGemRecordSlots, 9);
    KeepBestSteps(entry, kTimeRecordSlots, 9);
    EXPECT_EQ(std::vector<int32_t>({BestGems(entry, 5), BestSteps(entry, 5), BestSteps(entry, 8), entry.singles[0],
                                    entry.singles[1], entry.singles[2]}),
              std::vector<int32_t>({3, 90, 0, 7, identity, 0}));
    struct stat link, target;
    EXPECT_TRUE(lstat((folder + "/svfile").c_str(), &link) == 0 && S_ISLNK(link.st_mode));
    EXPECT_TRUE(stat((synced + "/svfile").c_str(), &target) == 0 && (target.st_mode & 0777) == 0640);
    EXPECT_EQ(ReadTextFile(home / "kept"), "kept");
    for (int fd : {ready[0], go[0], go[1]}) close(fd);
}

namespace {
// Another game's change, made as that game makes it, on the file on disk.
// The list written as older games write it, without identities.
void WriteWithoutIdentities(const std::string& path, SaveFileTable table) {
    std::string why;
    for (SaveFileEntry& file : table.files) file.singles[1] = 0;
    ASSERT_TRUE(ReplaceFileWhole(path, SaveFileBytes(table), why)) << why;
}

// Another game changes the file at `place`; an older one writes the list back without identities.
void OtherGame(const std::string& path, SaveChange::Kind kind, int32_t place, bool older = false) {
    SaveFileTable table;
    std::string why;
    ASSERT_TRUE(LoadSaveFile(path, table, why)) << why;
    GiveIdentities(table);
    SaveChange change;
    change.kind = kind;
    change.file = FileIdentity(table.files[place]);
    ASSERT_EQ(ApplySaveChange(table, change), ChangeOutcome::Done);
    if (older) return WriteWithoutIdentities(path, table);
    ASSERT_TRUE(ReplaceFileWhole(path, SaveFileBytes(table), why)) << why;
}
}

// Another game erases the file before the one played (FA of FA:1 BOB:1
// BOB:61, in a file written without identities as older games did): the
// clear lands on the played BOB where it is now, never on the one that took
// its place. One of a file erased meanwhile writes nothing. Erases and new
// files go by identity too; what is written is whole in the old format.
TEST(SaveProgress, EveryChangeFindsItsFileByIdentityWhereverOtherGamesMovedIt) {
    TempDir home;
    const std::string path = home / "duskhold/svfile";
    mkdir((home / "duskhold").c_str(), 0755);
    ASSERT_EQ(RunProgram(ToolPath("save"), {"new", path, "FA:1", "BOB:1", "BOB:61", "CORA:3"}).exitCode, 0);
    SaveFileTable table, saved;
    std::string why;
    ASSERT_TRUE(LoadSaveFile(path, table, why));
    WriteWithoutIdentities(path, table);
    setenv("XDG_DATA_HOME", home.path.c_str(), 1);
    ASSERT_TRUE(ReadMenuSaveFile(table));
    SetPlayedFile(1);
    OtherGame(path, SaveChange::Erase, 0);
    SaveStageCleared(2, 0, 5);
    const auto stages = [&] {
        EXPECT_TRUE(LoadSaveFile(path, saved, why)) << why;
        std::vector<int32_t> list;
        for (int32_t f = 0; f < saved.count; ++f) list.push_back(saved.files[f].stage);
        return list;
    };
    EXPECT_EQ(stages(), std::vector<int32_t>({2, 61, 3}));
    EXPECT_EQ(BestGems(saved.files[0], 0), 5);
    OtherGame(path, SaveChange::Erase, 0);  // the played BOB
    SaveStageCleared(3);
    EXPECT_EQ(stages(), std::vector<int32_t>({61, 3}));
    EXPECT_TRUE(EraseFile(3, why)) << why;  // CORA, at 1 on disk
    SaveFileEntry entry;
    ASSERT_TRUE(MakeSaveEntry("BOB", 1, entry, why));
    EXPECT_EQ(AddNewFile(entry), 1);
    EXPECT_EQ(stages(), std::vector<int32_t>({61, 1}));
    EXPECT_NE(FileIdentity(saved.files[0]), FileIdentity(saved.files[1]));
    const std::string written = ReadTextFile(path);
    EXPECT_EQ(WhyNotWhole(std::vector<unsigned char>(written.begin(), written.end())), "");
    // An older game erases the first file and writes the rest back without
    // identities: the played CORA is found by its record as read, not taken
    // for the file before it.
    ASSERT_TRUE(MakeSaveEntry("CORA", 3, entry, why) && AddNewFile(entry) == 2) << why;
    EXPECT_EQ(stages(), std::vector<int32_t>({61, 1, 3}));
    WriteWithoutIdentities(path, saved);
    ASSERT_TRUE(ReadMenuSaveFile(table));
    SetPlayedFile(2);
    OtherGame(path, SaveChange::Erase, 0, true);
    SaveStageCleared(31);
    EXPECT_EQ(stages(), std::vector<int32_t>({1, 31}));
    // The first file of the list, read again, is erased like any other.
    ASSERT_TRUE(ReadMenuSaveFile(table));
    EXPECT_TRUE(EraseFile(0, why)) << why;
    EXPECT_EQ(stages(), std::vector<int32_t>({31}));
    unsetenv("XDG_DATA_HOME");
}

// The player's svfile when what is on disk is odd: empty (nothing to keep),
// beside a crash's leftover temporary file (removed under the lock),
// read-only (kept, said once), a link to a FIFO (never replaced), its lock
// held by another program (the save never waits, and lands once it is free)
// or a link (refused, saying so).
TEST(SaveProgress, OddPlayerFilesAreKeptOrWrittenAsTheyAskAndAHeldLockNeverWaits) {
    TempDir home;
    const std::string svfile = home / "duskhold/svfile", lockPath = svfile + ".lock", fifo = home / "fifo";
    mkdir((home / "duskhold").c_str(), 0755);
    setenv("XDG_DATA_HOME", home.path.c_str(), 1);
    std::string said;
    SetLogSink([&said](const std::string& line) { said += line + "\n"; });
    const auto saidOnce = [&said](const std::string& part) {
        const size_t at = said.find(part);
        return at != std::string::npos && said.find(part, at + 1) == std::string::npos;
    };
    std::ofstream(svfile).close();
    std::ofstream(svfile + ".new-AbC123") << "left";
    std::ofstream(svfile + ".new-keep") << "other";
    SaveFileTable table;
    SaveFileEntry entry;
    std::string why;
    ASSERT_TRUE(ReadMenuSaveFile(table) && MakeSaveEntry("MIRA", 1, entry, why));
    EXPECT_EQ(AddNewFile(entry), 0);
    EXPECT_FALSE(GameFileIsThere(svfile + ".new-AbC123"));
    EXPECT_TRUE(GameFileIsThere(svfile + ".new-keep"));

    ReadMenuSaveFile(table);
    SetPlayedFile(0);
    ASSERT_EQ(chmod(svfile.c_str(), 0444), 0);
    const std::string readOnly = ReadTextFile(svfile);
    SaveStageCleared(2);
    SaveStageCleared(3);
    EXPECT_TRUE(saidOnce(svfile + " is read-only: it is kept as it is")) << said;
    EXPECT_EQ(ReadTextFile(svfile), readOnly);
    ASSERT_EQ(remove(svfile.c_str()) | mkfifo(fifo.c_str(), 0644) | symlink(fifo.c_str(), svfile.c_str()), 0);
    SaveStageCleared(31);
    EXPECT_TRUE(saidOnce(svfile + " (a link to " + fifo + ") is a FIFO, not a regular file: it is not replaced"));

    ASSERT_EQ(remove(svfile.c_str()), 0);
    const int held = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    said.clear();
    SaveStageCleared(32);
    for (long step = 0; step < kLockWaitSteps; ++step) SaveWhatWaits();
    EXPECT_EQ(said, "Save waiting: another program holds the lock " + lockPath +
                        "; the progress is kept and saved once it is free\n");
    EXPECT_FALSE(GameFileIsThere(svfile));
    close(held);
    SaveWhatWaits();
    EXPECT_TRUE(saidOnce("Progress saved: the lock " + lockPath + " is free"));
    ASSERT_TRUE(LoadSaveFile(svfile, table, why)) << why;
    EXPECT_EQ(table.files[0].stage, 32);
    // A second wait is said after as many steps as the first.
    const int heldAgain = open(lockPath.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_EQ(flock(heldAgain, LOCK_EX), 0);
    said.clear();
    SaveStageCleared(33);
    for (long step = 1; step < kLockWaitSteps; ++step) SaveWhatWaits();
    EXPECT_EQ(said, "");
    SaveWhatWaits();
    EXPECT_NE(said, "");
    close(heldAgain);
    SaveWhatWaits();
    ASSERT_EQ(remove(lockPath.c_str()) | symlink("elsewhere", lockPath.c_str()), 0);
    SaveStageCleared(33);
    EXPECT_TRUE(saidOnce("the lock " + lockPath + " is a symbolic link, and a lock is never followed: remove it"));
    unsetenv("XDG_DATA_HOME");
}

// A game keeps an assisted best and a best run while another game holds the
// save's lock and writes the records it read before: the records wait, are
// read again once the lock is free and keep both games' bests (the faster
// run, both stages' assisted bests); a crash's leftover is removed there.
TEST(SaveProgress, RecordsWaitForTheSavesLockAndKeepWhatAnotherGameWroteMeanwhile) {
    TempDir home;
    const std::string svfile = home / "duskhold/svfile", runPath = svfile + ".records/00000007/blk101.run";
    ASSERT_EQ(mkdir((home / "duskhold").c_str(), 0755), 0);
    setenv("XDG_DATA_HOME", home.path.c_str(), 1);
    ASSERT_EQ(BestRunPath(7, "blk101"), runPath);
    const int held = open((svfile + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    const auto runOf = [](int32_t steps) {
        BestRun run;
        run.level = "blk101";
        run.inputs.resize(size_t(steps));
        run.poses.resize(size_t(steps));
        return run;
    };
    KeepAssistedBest(7, "blk101", 300, 2);
    KeepBestRun(7, runOf(40));
    KeepAssistedBest(0, "blk101", 300, 2);  // no file played: nothing kept
    const std::string slower = BestRunText(runOf(60)), otherBests = "blk102 500 4\n";
    std::string why;
    ASSERT_TRUE(MakeDirectories(runPath.substr(0, runPath.rfind('/')), why) &&
                ReplaceFileWhole(runPath, std::vector<unsigned char>(slower.begin(), slower.end()), why) &&
                ReplaceFileWhole(AssistedBestsPath(svfile, 7),
                                 std::vector<unsigned char>(otherBests.begin(), otherBests.end()), why))
        << why;
    std::ofstream(runPath + ".new-AbC123") << "left";
    close(held);
    SaveWhatWaits();
    const AssistedBests bests = ReadAssistedBests(AssistedBestsPath(svfile, 7));
    EXPECT_EQ(bests.size(), 2u);
    EXPECT_TRUE(bests.count("blk101") && bests.at("blk101").steps == 300 && bests.at("blk101").gems == 2);
    BestRun kept;
    EXPECT_TRUE(ReadBestRun(ReadTextFile(runPath), kept, why) && kept.Steps() == 40) << why;
    EXPECT_FALSE(GameFileIsThere(runPath + ".new-AbC123") || GameFileIsThere(AssistedBestsPath(svfile, 0)));
    unsetenv("XDG_DATA_HOME");
}
