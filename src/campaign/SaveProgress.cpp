#include "campaign/SaveProgress.h"
#include "base/Log.h"
#include "platform/Files.h"
#include <algorithm>
#include <set>

namespace {
const char* const kShippedSaveFile = "svfile";

SaveFileTable gTable;
std::string gReadPath;
bool gHeldInMemory = false;
int32_t gPlayedFile = -1;
bool gRetry = false;
// The files of gTable whose progress this game made and has not written yet.
std::set<int32_t> gUnsaved;

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
// menu found it; false when that place now holds another file.
bool TakeUnsavedRecords(SaveFileTable& onDisk, const std::string& path, std::string& why) {
    for (int32_t file : gUnsaved) {
        const SaveFileEntry& record = gTable.files[file];
        if (file >= onDisk.count || !SameName(onDisk.files[file], record)) {
            why = path + " no longer holds " + SaveEntryName(record) + " as file " + std::to_string(file);
            return false;
        }
        onDisk.files[file] = record;
    }
    return true;
}

// Under a lock beside the file, so that games saving at once take turns and
// none writes back a list older than the other's save.
bool WritePlayerFile(std::string& why) {
    const std::string path = PlayerSavePath();
    if (path.empty()) {
        why = "neither XDG_DATA_HOME nor HOME names a folder for it";
        return false;
    }
    if (!MakeDirectories(path.substr(0, path.rfind('/')), why)) return false;
    FileLock lock(path + ".lock");
    SaveFileTable onDisk = gTable;
    return lock.Held(why) && ReadPlayerFileAgain(path, onDisk, why) && TakeUnsavedRecords(onDisk, path, why) &&
           ReplaceFileWhole(path, SaveFileBytes(onDisk), why);
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
    std::string why;
    if (WritePlayerFile(why)) {
        gUnsaved.clear();
        gHeldInMemory = false;
        return;
    }
    gHeldInMemory = true;
    PrintStatus("Progress not saved (kept until the game ends): %s", why.c_str());
}
