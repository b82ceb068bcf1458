#include "campaign/SaveProgress.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <fstream>
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
    SaveStageCleared(nextStage, size_t(file) + 5, 3 + file);
    _exit(0);
}
}

// Two games read the list at once, then each clears a stage of its own file:
// both clears are saved. The player's save is a link into a synced folder
// and stays one, its file keeps its permissions, and a link left under the
// old temporary name is not followed.
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
    // Each clear kept its gems in its stage's spare value; a lower count
    // does not replace a best, and the finished mark is not a gem slot.
    EXPECT_EQ(std::vector<int32_t>({saved.files[0].six[5], saved.files[1].nine[0]}), std::vector<int32_t>({3, 4}));
    SaveFileEntry& entry = saved.files[0];
    KeepBestGems(entry, 5, 1);
    KeepBestGems(entry, 20, 7);
    KeepBestGems(entry, kGemRecordSlots, 9);
    EXPECT_EQ(std::vector<int32_t>({BestGems(entry, 5), entry.singles[1], entry.singles[2]}),
              std::vector<int32_t>({3, 7, 0}));
    struct stat link, target;
    EXPECT_TRUE(lstat((folder + "/svfile").c_str(), &link) == 0 && S_ISLNK(link.st_mode));
    EXPECT_TRUE(stat((synced + "/svfile").c_str(), &target) == 0 && (target.st_mode & 0777) == 0640);
    EXPECT_EQ(ReadTextFile(home / "kept"), "kept");
    for (int fd : {ready[0], go[0], go[1]}) close(fd);
}

// Erasing a file writes the rest as they are on disk, a record another game
// changed meanwhile included, and refuses when the file's place now holds
// another name. A new file that the disk's full list has no room for is kept
// in memory; a full list in memory takes none.
TEST(SaveProgress, EraseKeepsEveryOtherRecordAndANewFileNeedsRoom) {
    TempDir home;
    const std::string path = home / "duskhold/svfile";
    auto write = [&](std::vector<std::string> files) {
        files.insert(files.begin(), {"new", path});
        ASSERT_EQ(RunProgram(ToolPath("save"), files).exitCode, 0);
    };
    mkdir((home / "duskhold").c_str(), 0755);
    write({"ALDRIC:1", "BRAM:2", "CORA:3"});
    setenv("XDG_DATA_HOME", home.path.c_str(), 1);
    SaveFileTable table;
    ASSERT_TRUE(ReadMenuSaveFile(table));
    write({"ALDRIC:1", "MIRA:2", "CORA:33"});
    std::string why;
    EXPECT_FALSE(EraseFile(1, why));
    EXPECT_NE(why.find("no longer holds BRAM as file 1"), std::string::npos) << why;
    EXPECT_TRUE(EraseFile(0, why)) << why;
    const std::string left = ReadTextFile(path);
    write({"MIRA:2", "CORA:33"});
    EXPECT_EQ(left, ReadTextFile(path));

    std::vector<std::string> twenty;
    for (char name = 'A'; name < 'A' + kMaxSaveFiles; ++name) twenty.push_back(std::string(1, name) + ":1");
    write(twenty);
    const std::string full = ReadTextFile(path);
    SaveFileEntry entry;
    ASSERT_TRUE(MakeSaveEntry("NEWT", 1, entry, why));
    EXPECT_EQ(AddNewFile(entry), 2);
    for (int32_t file = 3; file < kMaxSaveFiles; ++file) EXPECT_EQ(AddNewFile(entry), file);
    EXPECT_EQ(AddNewFile(entry), -1);
    EXPECT_EQ(ReadTextFile(path), full);
    unsetenv("XDG_DATA_HOME");
}
