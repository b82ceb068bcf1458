#include "campaign/SaveProgress.h"
#include "base/Log.h"
#include "platform/Files.h"

namespace {
const char* const kShippedSaveFile = "svfile";

SaveFileTable gTable;
std::string gReadPath;
// Why the player's file read last must not be overwritten ("" when it may).
std::string gNotWhole;
bool gHeldInMemory = false;
int32_t gPlayedFile = -1;

// A player's file that cannot be read back whole would lose what it holds
// beyond the table if it were written over.
std::string WhyNotWritable(const std::string& path) {
    std::vector<unsigned char> bytes;
    std::string why;
    if (!ReadWholeFile(path, kMaxSaveFileBytes, bytes, why)) return "it cannot be read: " + why;
    return WhyNotWhole(bytes);
}

bool WritePlayerFile(std::string& why) {
    const std::string path = PlayerSavePath();
    if (path.empty()) {
        why = "neither XDG_DATA_HOME nor HOME names a folder for it";
        return false;
    }
    if (!gNotWhole.empty()) {
        why = path + " is kept as it is: " + gNotWhole;
        return false;
    }
    return MakeDirectories(path.substr(0, path.rfind('/')), why) && ReplaceFileWhole(path, SaveFileBytes(gTable), why);
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
    gNotWhole = players ? WhyNotWritable(player) : "";
    std::string why;
    bool read = LoadSaveFile(gReadPath, table, why);
    if (!why.empty()) PrintStatus("Save file %s not read: %s", gReadPath.c_str(), why.c_str());
    gTable = table;
    return read || !why.empty();
}

const std::string& SaveFileReadPath() { return gReadPath; }

void SetPlayedFile(int32_t file) { gPlayedFile = file; }

void SaveStageCleared(int32_t nextStage) {
    if (gPlayedFile < 0 || gPlayedFile >= gTable.count) return;
    SaveFileEntry& entry = gTable.files[gPlayedFile];
    if (nextStage) entry.stage = nextStage;
    else entry.singles[2] = kFinishedMark;
    std::string why;
    if (WritePlayerFile(why)) {
        gHeldInMemory = false;
        return;
    }
    gHeldInMemory = true;
    PrintStatus("Progress not saved (kept until the game ends): %s", why.c_str());
}
