#include "campaign/BestRunRecords.h"
#include "base/Log.h"
#include "campaign/SaveFile.h"
#include "campaign/SaveProgress.h"
#include "platform/Files.h"
#include "world/Level.h"
#include "world/LevelFile.h"
#include <set>
#include <vector>

namespace {
bool gWatch = false;

std::string FolderOf(int32_t identity) {
    const std::string save = PlayerSavePath();
    return save.empty() ? save : save + ".records/" + IdentityName(identity);
}

// A run that does not read is said once a run of the game, and then kept
// out of the way like none: the next best time replaces it.
void SayNotRead(const std::string& path, const std::string& why) {
    static std::set<std::string> said;
    if (said.insert(path).second) TellPlayer("Best run %s not read: %s", path.c_str(), why.c_str());
}

bool ReadRunFile(const std::string& path, BestRun& run) {
    if (path.empty() || !GameFileIsThere(path)) return false;
    std::vector<unsigned char> bytes;
    std::string why;
    if (ReadWholeFile(path, kMaxRunFileBytes, bytes, why) &&
        ReadBestRun(std::string(bytes.begin(), bytes.end()), run, why))
        return true;
    SayNotRead(path, why);
    return false;
}
}

std::string BestRunPath(int32_t identity, const std::string& level) {
    const std::string folder = FolderOf(identity);
    return folder.empty() ? folder : folder + "/" + level + ".run";
}

uint32_t StageFileHash(const char* levelName) {
    std::vector<unsigned char> bytes;
    std::string why;
    if (!ReadWholeFile(LevelNamespace::LevelGamePath(levelName), LevelFile::kMaxLevelFileBytes, bytes, why)) return 0;
    return Fnv1aHash(bytes);
}

KeptRun FindBestRun(int32_t identity, const char* levelName, BestRun* run) {
    BestRun read;
    if (identity == 0 || !ReadRunFile(BestRunPath(identity, levelName), read) || read.level != levelName)
        return KeptRun::None;
    const bool same = read.stageFile == StageFileHash(levelName);
    if (run) *run = std::move(read);
    return same ? KeptRun::Kept : KeptRun::Changed;
}

bool KeepBestRun(int32_t identity, const BestRun& run) {
    const std::string path = BestRunPath(identity, run.level);
    BestRun kept;
    if (path.empty() || identity == 0) return false;
    if (ReadRunFile(path, kept) && kept.stageFile == run.stageFile && kept.Steps() <= run.Steps()) return true;
    const std::string text = BestRunText(run);
    std::string why;
    if (MakeDirectories(FolderOf(identity), why) &&
        ReplaceFileWhole(path, std::vector<unsigned char>(text.begin(), text.end()), why))
        return true;
    TellPlayer("Best run not kept: %s", why.c_str());
    return false;
}

void ForgetBestRuns(int32_t identity) {
    const std::string folder = FolderOf(identity);
    if (!folder.empty()) RemoveFolderOfFiles(folder);
}

void AskToWatchRun(bool watch) { gWatch = watch; }

bool TakeWatchRun() {
    const bool watch = gWatch;
    gWatch = false;
    return watch;
}
