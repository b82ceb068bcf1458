#include "campaign/BestRunRecords.h"
#include "base/Log.h"
#include "campaign/SaveFile.h"
#include "campaign/SaveProgress.h"
#include "platform/Files.h"
#include "world/Level.h"
#include "world/LevelFile.h"
#include <map>
#include <set>
#include <vector>

namespace {
bool gWatch = false;
// The runs that could not be written, by their path: kept for the rest of
// the game's run, as its progress is.
std::map<std::string, BestRun> gUnwritten;

std::string FolderOf(int32_t identity) {
    const std::string save = PlayerSavePath();
    return save.empty() ? save : save + ".records/" + IdentityName(identity);
}

void SayOnce(const std::string& line) {
    static std::set<std::string> said;
    if (said.insert(line).second) TellPlayer("%s", line.c_str());
}

// A run that does not read is said once, and then taken as none: the next
// best time replaces it.
bool ReadRunOnDisk(const std::string& path, BestRun& run) {
    if (path.empty() || !GameFileIsThere(path)) return false;
    std::vector<unsigned char> bytes;
    std::string why;
    if (ReadWholeFile(path, kMaxRunFileBytes, bytes, why) &&
        ReadBestRun(std::string(bytes.begin(), bytes.end()), run, why))
        return true;
    SayOnce("Best run " + path + " not read: " + why);
    return false;
}

// The run not written yet when there is one, as this game knows it.
bool ReadRunFile(const std::string& path, BestRun& run) {
    const auto unwritten = gUnwritten.find(path);
    if (unwritten == gUnwritten.end()) return ReadRunOnDisk(path, run);
    run = unwritten->second;
    return true;
}

// A run of the same stage file that takes no more steps stays.
bool KeepsBetter(const BestRun& kept, const BestRun& run) {
    return kept.stageFile == run.stageFile && kept.Steps() <= run.Steps();
}

// Under the save's lock: the run on disk is read again, since another game
// may have kept a better clear meanwhile.
void WriteRun(int32_t identity, const std::string& path, const BestRun& run) {
    RemoveLeftoverTemporaries(path);
    BestRun onDisk;
    if (ReadRunOnDisk(path, onDisk) && KeepsBetter(onDisk, run)) {
        gUnwritten.erase(path);
        return;
    }
    const std::string text = BestRunText(run);
    std::string why;
    const bool written = MakeDirectories(FolderOf(identity), why) &&
                         ReplaceFileWhole(path, std::vector<unsigned char>(text.begin(), text.end()), why);
    if (written) gUnwritten.erase(path);
    else gUnwritten[path] = run;
    if (!written) SayOnce("Best run not saved (kept until the game ends): " + why);
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

void KeepBestRun(int32_t identity, const BestRun& run) {
    const std::string path = BestRunPath(identity, run.level);
    BestRun kept;
    if (path.empty() || identity == 0) return;
    if (ReadRunFile(path, kept) && KeepsBetter(kept, run)) return;
    gUnwritten[path] = run;
    SaveRecord("Best run not saved", [identity, path, run] { WriteRun(identity, path, run); });
}

void ForgetBestRuns(int32_t identity) {
    const std::string folder = FolderOf(identity);
    if (folder.empty()) return;
    RemoveFolderOfFiles(folder);
    for (auto run = gUnwritten.begin(); run != gUnwritten.end();)
        run = run->first.compare(0, folder.size() + 1, folder + "/") == 0 ? gUnwritten.erase(run) : std::next(run);
}

void AskToWatchRun(bool watch) { gWatch = watch; }

bool TakeWatchRun() {
    const bool watch = gWatch;
    gWatch = false;
    return watch;
}
