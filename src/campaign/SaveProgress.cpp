#include "campaign/SaveProgress.h"
#include "base/Log.h"
#include "platform/Files.h"
#include <algorithm>
#include <functional>
#include <set>

namespace {
const char* const kShippedSaveFile = "svfile";

SaveFileTable gTable;
std::string gReadPath;
bool gHeldInMemory = false;
int32_t gPlayedFile = -1;
bool gRetry = false;
// The files of gTable whose progress this game made and has not written
// yet, and those of them that this game added to the list.
std::set<int32_t> gUnsaved;
std::set<int32_t> gAdded;

// The player's file as it is now, since another game may have saved to it
// after the menu read it; `table` is left as it was when there is none. A
// file that cannot be read back whole would lose what it holds beyond the
// table if it were written over.
bool ReadPlayerFileAgain(const std::string& path, SaveFileTable& table, std::string& why) {
    if (!FileExists(path)) return true;
    std::vector<unsigned char> bytes;
    std::string unreadable;
    std::string notWhole = ReadWholeFile(path, kMaxSaveFileBytes, bytes, unreadable)
                               ? WhyNotWhole(bytes)
                               : "it cannot be read: " + unreadable;
    if (!notWhole.empty()) {
        why = path + " is kept as it is: " + notWhole;
        return false;
    }
    table = SaveFileTable();
    ReadSaveFile(bytes.data(), bytes.size(), table);
    return true;
}

bool SameName(const SaveFileEntry& a, const SaveFileEntry& b) {
    return a.nameLength == b.nameLength && std::equal(a.glyphs, a.glyphs + a.nameLength, b.glyphs);
}

// Puts this game's unsaved records into the file read again, each where the
// menu found it, and the files this game added after the others; false when
// a record's place now holds another file or the list has no room left.
bool TakeUnsavedRecords(SaveFileTable& onDisk, const std::string& path, std::string& why) {
    for (int32_t file : gUnsaved) {
        const SaveFileEntry& record = gTable.files[file];
        if (gAdded.count(file) && onDisk.count >= kMaxSaveFiles) {
            why = path + " holds " + std::to_string(kMaxSaveFiles) + " files, no room for " + SaveEntryName(record);
            return false;
        }
        if (gAdded.count(file)) {
            onDisk.files[onDisk.count++] = record;
            continue;
        }
        if (file >= onDisk.count || !SameName(onDisk.files[file], record)) {
            why = path + " no longer holds " + SaveEntryName(record) + " as file " + std::to_string(file);
            return false;
        }
        onDisk.files[file] = record;
    }
    return true;
}

// A change made under the lock to the list as it is on disk, once this
// game's unsaved records are in it; false with the reason to write nothing.
using ListChange = std::function<bool(SaveFileTable& onDisk, std::string& why)>;

// Under a lock beside the file, so that games saving at once take turns and
// none writes back a list older than the other's save. The list written
// becomes the game's.
bool WritePlayerFile(std::string& why, const ListChange& change = nullptr) {
    const std::string path = PlayerSavePath();
    if (path.empty()) {
        why = "neither XDG_DATA_HOME nor HOME names a folder for it";
        return false;
    }
    if (!MakeDirectories(path.substr(0, path.rfind('/')), why)) return false;
    FileLock lock(path + ".lock");
    // Without a player's file yet, the list is the one the menu read; the
    // files this game added, always the last, are put back after it.
    SaveFileTable onDisk = gTable;
    onDisk.count -= int32_t(gAdded.size());
    if (!lock.Held(why) || !ReadPlayerFileAgain(path, onDisk, why) || !TakeUnsavedRecords(onDisk, path, why) ||
        (change && !change(onDisk, why)) || !ReplaceFileWhole(path, SaveFileBytes(onDisk), why))
        return false;
    gTable = onDisk;
    gUnsaved.clear();
    gAdded.clear();
    gHeldInMemory = false;
    return true;
}

// Writes this game's unsaved records, or keeps them in memory for the rest
// of the run with one status line that starts with `notSaved`.
void SaveOrHold(const std::string& notSaved) {
    std::string why;
    if (WritePlayerFile(why)) return;
    gHeldInMemory = true;
    PrintStatus("%s (kept until the game ends): %s", notSaved.c_str(), why.c_str());
}
}

std::string PlayerSavePath() {
    std::string folder = PlayerDataDir();
    return folder.empty() ? folder : folder + "/svfile";
}

bool ReadMenuSaveFile(SaveFileTable& table) {
    if (gHeldInMemory) {
        table = gTable;
        return true;
    }
    const std::string player = PlayerSavePath();
    const bool players = !player.empty() && FileExists(player);
    gReadPath = players ? player : kShippedSaveFile;
    std::string why;
    bool read = LoadSaveFile(gReadPath, table, why);
    if (!why.empty()) PrintStatus("Save file %s not read: %s", gReadPath.c_str(), why.c_str());
    gTable = table;
    return read || !why.empty();
}

const std::string& SaveFileReadPath() { return gReadPath; }

void SetPlayedFile(int32_t file) { gPlayedFile = file; }
int32_t PlayedFile() { return gPlayedFile; }

void AskForRetry() { gRetry = gPlayedFile >= 0; }

bool TakeRetry() {
    const bool retry = gRetry;
    gRetry = false;
    return retry;
}

void SaveStageCleared(int32_t nextStage, size_t clearedRow, int32_t gems) {
    if (gPlayedFile < 0 || gPlayedFile >= gTable.count) return;
    SaveFileEntry& entry = gTable.files[gPlayedFile];
    KeepBestGems(entry, clearedRow, gems);
    if (nextStage) entry.stage = nextStage;
    else entry.singles[2] = kFinishedMark;
    gUnsaved.insert(gPlayedFile);
    SaveOrHold("Progress not saved");
}

int32_t AddNewFile(const SaveFileEntry& entry) {
    if (gTable.count >= kMaxSaveFiles) return -1;
    const int32_t file = gTable.count++;
    gTable.files[file] = entry;
    gUnsaved.insert(file);
    gAdded.insert(file);
    SaveOrHold("New file " + SaveEntryName(entry) + " not saved");
    // Written, it is the last of the list on disk.
    return gHeldInMemory ? file : gTable.count - 1;
}

bool EraseFile(int32_t file, std::string& why) {
    if (file < 0 || file >= gTable.count) {
        why = "no file " + std::to_string(file) + " in the list";
        return false;
    }
    const SaveFileEntry shown = gTable.files[file];
    return WritePlayerFile(why, [&](SaveFileTable& onDisk, std::string& reason) {
        if (file >= onDisk.count || !SameName(onDisk.files[file], shown)) {
            reason = PlayerSavePath() + " no longer holds " + SaveEntryName(shown) + " as file " + std::to_string(file);
            return false;
        }
        std::copy(onDisk.files + file + 1, onDisk.files + onDisk.count, onDisk.files + file);
        --onDisk.count;
        return true;
    });
}
