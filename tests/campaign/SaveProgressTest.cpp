#include "campaign/SaveProgress.h"
#include "ChildGame.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
// The steps of a game: reading the menu's list, ...
std::function<void()> ReadsTheList() {
    return [] {
        SaveFileTable table;
        ReadMenuSaveFile(table);
    };
}

// A clear of the file at `file` in the list the game read last (-1: of the file played already).
std::function<void()> Clears(int32_t file, int32_t nextStage, size_t row = 0, int32_t gems = 0) {
    return [=] {
        if (file >= 0) SetPlayedFile(file);
        SaveStageCleared(nextStage, row, gems);
    };
}

std::function<void()> Erases(int32_t file) {
    return [file] {
        std::string why;
        if (!EraseFile(file, why)) PrintStatus("not erased: %s", why.c_str());
    };
}

// ... and NEW GAME, which reads the list again, as the menu does.
std::function<void()> Adds(const std::string& name) {
    return [name] {
        SaveFileEntry entry;
        std::string why;
        SaveFileTable table;
        if (!MakeSaveEntry(name, 1, entry, why) || AddNewFile(entry) < 0) PrintStatus("not added: %s", name.c_str());
        ReadMenuSaveFile(table);
    };
}

SaveFileTable Saved(const std::string& path) {
    SaveFileTable saved;
    std::string why;
    EXPECT_TRUE(LoadSaveFile(path, saved, why)) << why;
    return saved;
}

// "NAME:STAGE" for each file of the list.
std::vector<std::string> Files(const SaveFileTable& table) {
    std::vector<std::string> files;
    for (int32_t f = 0; f < table.count; ++f)
        files.push_back(SaveEntryName(table.files[f]) + ":" + std::to_string(table.files[f].stage));
    return files;
}

// A save file as the tool writes it, or without identities, as an older game did.
void WriteFiles(const std::string& path, std::vector<std::string> files, bool identities = true) {
    files.insert(files.begin(), {"new", path});
    ASSERT_EQ(RunProgram(ToolPath("save"), files).exitCode, 0);
    if (identities) return;
    SaveFileTable table = Saved(path);
    for (int32_t f = 0; f < table.count; ++f) table.files[f].singles[1] = 0;
    const std::vector<unsigned char> bytes = SaveFileBytes(table);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
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
    WriteFiles(synced + "/svfile", {"ALDRIC:1", "MIRA:32"});
    std::ofstream(home / "kept") << "kept";
    ASSERT_EQ(chmod((synced + "/svfile").c_str(), 0640) | symlink("../synced/svfile", (folder + "/svfile").c_str()) |
                  symlink("../kept", (folder + "/svfile.new").c_str()),
              0);
    ChildGame first(home.path, {ReadsTheList(), Clears(0, 2, 5, 3)});
    ChildGame second(home.path, {ReadsTheList(), Clears(1, 33, 6, 4)});
    first.Next(), second.Next();
    EXPECT_EQ(first.Next() + second.Next(), "");
    SaveFileTable saved = Saved(synced + "/svfile");
    EXPECT_EQ(Files(saved), (std::vector<std::string>{"ALDRIC:2", "MIRA:33"}));
    // Each clear kept its gems in its stage's spare value; a lower count
    // does not replace a best, and neither the identity nor the finished
    // mark is a gem slot.
    EXPECT_EQ(std::vector<int32_t>({saved.files[0].six[5], saved.files[1].nine[0]}), std::vector<int32_t>({3, 4}));
    SaveFileEntry& entry = saved.files[0];
    const int32_t identity = FileIdentity(entry);
    KeepBestGems(entry, 5, 1);
    KeepBestGems(entry, 19, 7);
    KeepBestGems(entry, kGemRecordSlots, 9);
    EXPECT_EQ(std::vector<int32_t>({BestGems(entry, 5), entry.singles[0], entry.singles[1], entry.singles[2]}),
              std::vector<int32_t>({3, 7, identity, 0}));
    struct stat link, target;
    EXPECT_TRUE(lstat((folder + "/svfile").c_str(), &link) == 0 && S_ISLNK(link.st_mode));
    EXPECT_TRUE(stat((synced + "/svfile").c_str(), &target) == 0 && (target.st_mode & 0777) == 0640);
    EXPECT_EQ(ReadTextFile(home / "kept"), "kept");
}

// Game A plays a file while game B, which read the same list, erases the
// file before it: A's clear lands on A's file where it is now, never on the
// file that moved into its place, with identities on disk or not (an older
// game's file: every game gives the same ones). A clear of a file that B
// erased writes nothing and says so.
TEST(SaveProgress, AClearFindsItsFileByIdentityWhereverAnotherGamesEraseMovedIt) {
    for (bool identities : {false, true}) {
        SCOPED_TRACE(identities ? "identities on disk" : "no identities on disk");
        TempDir home;
        const std::string path = home / "duskhold/svfile";
        mkdir((home / "duskhold").c_str(), 0755);
        WriteFiles(path, {"FA:1", "BOB:1", "BOB:61"}, identities);
        {
            ChildGame a(home.path, {ReadsTheList(), Clears(1, 2, 0, 5)});
            ChildGame b(home.path, {ReadsTheList(), Erases(0)});
            a.Next(), b.Next();
            EXPECT_EQ(b.Next(), "");
            EXPECT_EQ(a.Next(), "");
        }
        SaveFileTable saved = Saved(path);
        EXPECT_EQ(Files(saved), (std::vector<std::string>{"BOB:2", "BOB:61"}));
        EXPECT_EQ(BestGems(saved.files[0], 0), 5);
        EXPECT_NE(FileIdentity(saved.files[0]), FileIdentity(saved.files[1]));

        WriteFiles(path, {"FA:1", "FB:1", "FC:2"}, identities);
        {
            ChildGame a(home.path, {ReadsTheList(), Clears(2, 3), Clears(0, 2)});
            ChildGame b(home.path, {ReadsTheList(), Erases(0)});
            a.Next(), b.Next(), b.Next();
            EXPECT_EQ(a.Next(), "");
            const std::string before = ReadTextFile(path);
            EXPECT_NE(a.Next().find("Progress not saved: " + path +
                                    " no longer holds the file played (another game "
                                    "erased it)"),
                      std::string::npos);
            EXPECT_EQ(ReadTextFile(path), before);
        }
        EXPECT_EQ(Files(Saved(path)), (std::vector<std::string>{"FB:1", "FC:3"}));
    }
}

// Two games make a new file of one name at once: both are kept, each with an
// identity of its own, and each game's clear lands on its own. An erase of a
// file another game erased already is done; one the file cannot be written
// for changes nothing. A new file the list on disk has no room for is not
// added, and the game says the list is full.
TEST(SaveProgress, NewFilesAndErasesOfManyGamesAreAllKept) {
    TempDir home;
    const std::string path = home / "duskhold/svfile";
    mkdir((home / "duskhold").c_str(), 0755);
    WriteFiles(path, {"ALDRIC:1", "BRAM:2", "CORA:3"});
    {
        ChildGame a(home.path, {ReadsTheList(), Adds("BOB"), Clears(-1, 2)});
        ChildGame b(home.path, {ReadsTheList(), Adds("BOB"), Erases(1), Clears(-1, 3)});
        ChildGame c(home.path, {ReadsTheList(), Erases(1)});
        a.Next(), b.Next(), c.Next();
        // Each adds its BOB; c erases BRAM, then b, which has not read the list since, too.
        for (ChildGame* game : {&a, &b, &c, &b, &a, &b}) EXPECT_EQ(game->Next(), "");
    }
    SaveFileTable saved = Saved(path);
    EXPECT_EQ(Files(saved), (std::vector<std::string>{"ALDRIC:1", "CORA:3", "BOB:2", "BOB:3"}));
    EXPECT_NE(FileIdentity(saved.files[2]), FileIdentity(saved.files[3]));

    std::ofstream(path, std::ios::app) << "x";  // a byte after the last file
    const std::string notWhole = ReadTextFile(path);
    EXPECT_NE(
        ChildGame(home.path, {ReadsTheList(), Erases(0)}).Rest().find("not erased: " + path + " is kept as it is"),
        std::string::npos);
    EXPECT_EQ(ReadTextFile(path), notWhole);

    std::vector<std::string> twenty;
    for (char name = 'A'; name < 'A' + kMaxSaveFiles; ++name) twenty.push_back(std::string(1, name) + ":1");
    WriteFiles(path, {"ALDRIC:1"});
    ChildGame late(home.path, {ReadsTheList(), Adds("NEWT")});
    late.Next();
    WriteFiles(path, twenty);
    const std::string full = ReadTextFile(path);
    const std::string said = late.Next();
    EXPECT_NE(said.find("New file NEWT not saved: " + path + " holds 20 files, no room for it"), std::string::npos);
    EXPECT_NE(said.find("not added: NEWT"), std::string::npos) << said;
    EXPECT_EQ(ReadTextFile(path), full);
}
