#include "campaign/SaveProgress.h"
#include "campaign/BestRunRecords.h"
#include "base/Log.h"
#include "platform/Files.h"
#include <algorithm>
#include <map>
#include <set>

namespace {
const char* const kShippedSaveFile = "svfile";

// The list as it was on disk when last read or written, each file with its
// identity; the changes this game made that are not written yet; the list
// the menu was given last (gBase with gPending made in it).
SaveFileTable gBase;
std::vector<SaveChange> gPending;
// The records beside the save file not written yet, in the order kept.
std::vector<std::function<void()>> gRecords;
SaveFileTable gShown;
std::string gReadPath;
int32_t gPlayed = 0;  // the played file's identity; 0 for none
bool gRetry = false;
int32_t gReplayedRow = -1;
// The records as read of the files that had no identity on disk, by the
// identity they were given: a game of an older version may write the list
// again without identities, and such a file is then found by its record.
std::map<int32_t, std::vector<unsigned char>> gReadWithout;
// Waiting for the lock: the steps waited, and whether a status line said so.
bool gWaiting = false;
long gWaitedSteps = 0;
bool gSaidWaiting = false;
// Status lines said already: each is said once a run.
std::set<std::string> gSaid;

void SayOnce(const std::string& line) {
    if (gSaid.insert(line).second) TellPlayer("%s", line.c_str());
}

std::vector<unsigned char> RecordBytes(const SaveFileEntry& entry) {
    SaveFileTable one;
    one.count = 1;
    one.files[0] = entry;
    return SaveFileBytes(one);
}

void RenameFile(int32_t from, int32_t to) {
    for (SaveChange& change : gPending)
        if (change.file == from) change.file = to;
    if (gPlayed == from) gPlayed = to;
    if (gReadWithout.count(from)) gReadWithout[to] = gReadWithout[from];
}

// Gives identities to the files of a list just read (as `read`), and finds
// there the files of this game's changes that were read without one and now
// have another: by their record as read, among the files given one.
void TakeList(const SaveFileTable& read, SaveFileTable& list) {
    list = read;
    const std::vector<bool> given = GiveIdentities(list);
    std::set<int32_t> claimed;
    for (size_t c = 0; c < gPending.size(); ++c) {
        const int32_t file = gPending[c].file;
        if (gPending[c].kind == SaveChange::Add || FindFile(list, file) >= 0 || !gReadWithout.count(file)) continue;
        for (int32_t f = 0; f < list.count; ++f) {
            const int32_t identity = FileIdentity(list.files[f]);
            if (given[size_t(f)] && !claimed.count(identity) && RecordBytes(read.files[f]) == gReadWithout[file]) {
                RenameFile(file, identity);
                claimed.insert(identity);
                break;
            }
        }
    }
    for (int32_t f = 0; f < list.count; ++f)
        if (given[size_t(f)] && !gReadWithout.count(FileIdentity(list.files[f])))
            gReadWithout[FileIdentity(list.files[f])] = RecordBytes(read.files[f]);
}

// The list with this game's changes made in it, as the menu shows it.
SaveFileTable WithPending(SaveFileTable list) {
    for (const SaveChange& change : gPending) ApplySaveChange(list, change);
    return list;
}

// The player's file as it is now, since another game may have saved to it
// after the menu read it; the list last known when there is none (a link
// that leads nowhere included), or it is empty (it holds nothing to keep). A file that cannot be read back whole
// would lose what it holds beyond the list if it were written over; a
// read-only one, or a link to a device, is never written over either.
bool ReadPlayerFileAgain(const std::string& path, SaveFileTable& list, std::string& why) {
    why = WhyNotReplaced(path);
    if (!why.empty()) return false;
    const FileStamp stamp = StampOfGameFile(path);
    if (stamp.inode == 0 || (stamp.size == 0 && FileExists(path))) {
        TakeList(gBase, list);
        return true;
    }
    std::vector<unsigned char> bytes;
    std::string unreadable;
    std::string notWhole = ReadWholeFile(path, kMaxSaveFileBytes, bytes, unreadable)
                               ? WhyNotWhole(bytes)
                               : "it cannot be read: " + unreadable;
    if (!notWhole.empty()) {
        why = path + " is kept as it is: " + notWhole;
        return false;
    }
    SaveFileTable read;
    ReadSaveFile(bytes.data(), bytes.size(), read);
    TakeList(read, list);
    return true;
}

enum class Saved { Yes, Waiting, No };

// Only under the save's lock.
void WriteRecords() {
    const std::vector<std::function<void()>> records = std::move(gRecords);
    gRecords.clear();
    for (const std::function<void()>& write : records) write();
}

// Makes this game's changes in the file on disk and writes it, under the
// lock beside it, so that games saving at once take turns and none writes
// back a list older than the other's save. A change whose file another game
// erased, and a new file the list has no room for, are dropped, one status
// line each.
Saved WritePlayerFile(std::string& why, int waitMs = 0) {
    const std::string path = PlayerSavePath();
    if (path.empty()) {
        why = "neither XDG_DATA_HOME nor HOME names a folder for it";
        return Saved::No;
    }
    if (!MakeDirectories(path.substr(0, path.rfind('/')), why)) return Saved::No;
    FileLock lock(path + ".lock", waitMs);
    gWaiting = lock.Busy();
    if (gWaiting) return Saved::Waiting;
    SaveFileTable onDisk;
    if (!lock.Held(why)) return Saved::No;
    WriteRecords();
    if (gPending.empty()) return Saved::Yes;
    RemoveLeftoverTemporaries(path);
    if (!ReadPlayerFileAgain(path, onDisk, why)) return Saved::No;
    std::vector<std::string> dropped;
    for (size_t c = 0; c < gPending.size(); ++c) {
        // A new identity that another game's new file took meanwhile.
        if (gPending[c].kind == SaveChange::Add && FindFile(onDisk, gPending[c].file) >= 0)
            RenameFile(gPending[c].file, NewIdentity(onDisk));
        const SaveChange& change = gPending[c];
        switch (ApplySaveChange(onDisk, change)) {
        case ChangeOutcome::Done: break;
        case ChangeOutcome::FileGone:
            dropped.push_back("Progress not saved: " + path +
                              " no longer holds the file played (another game erased it)");
            break;
        case ChangeOutcome::NoRoom:
            dropped.push_back("New file " + SaveEntryName(change.entry) + " not saved: " + path + " holds " +
                              std::to_string(kMaxSaveFiles) + " files, no room for it");
            break;
        }
    }
    if (!ReplaceFileWhole(path, SaveFileBytes(onDisk), why)) return Saved::No;
    for (const std::string& line : dropped) SayOnce(line);
    gBase = onDisk;
    gPending.clear();
    return Saved::Yes;
}

// Writes this game's changes; when the file cannot be written they are kept
// in memory for the rest of the run, with one status line that starts with
// `notSaved`.
Saved SaveOrHold(const std::string& notSaved, int waitMs = 0) {
    std::string why;
    const Saved saved = WritePlayerFile(why, waitMs);
    if (saved == Saved::No) SayOnce(notSaved + " (kept until the game ends): " + why);
    if (saved == Saved::Yes && gSaidWaiting)
        TellPlayer("Progress saved: the lock %s.lock is free", PlayerSavePath().c_str());
    if (saved != Saved::Waiting) gWaitedSteps = 0, gSaidWaiting = false;
    return saved;
}
}

std::string PlayerSavePath() {
    std::string folder = PlayerDataDir();
    return folder.empty() ? folder : folder + "/svfile";
}

bool ReadMenuSaveFile(SaveFileTable& table) {
    const std::string player = PlayerSavePath();
    const bool players = !player.empty() && FileExists(player);
    gReadPath = players ? player : kShippedSaveFile;
    std::string why;
    SaveFileTable read = gBase;
    const bool wasRead = LoadSaveFile(gReadPath, read, why);
    if (!why.empty()) TellPlayer("Save file %s not read: %s", gReadPath.c_str(), why.c_str());
    if (wasRead) TakeList(read, gBase);
    gShown = table = WithPending(gBase);
    return wasRead || !why.empty();
}

const std::string& SaveFileReadPath() { return gReadPath; }

void SetPlayedFile(int32_t file) { gPlayed = file >= 0 && file < gShown.count ? FileIdentity(gShown.files[file]) : 0; }

int32_t PlayedFile() { return FindFile(gShown, gPlayed); }

int32_t PlayedFileIdentity() { return gPlayed; }

bool PlayedFileNow(SaveFileEntry& entry) {
    const SaveFileTable now = WithPending(gBase);
    const int32_t file = FindFile(now, gPlayed);
    if (gPlayed == 0 || file < 0) return false;
    entry = now.files[file];
    return true;
}

void AskForRetry() { gRetry = gPlayed != 0; }

bool TakeRetry() {
    const bool retry = gRetry;
    gRetry = false;
    return retry;
}

void SetReplayedRow(int32_t row) { gReplayedRow = row; }

int32_t ReplayedRow() { return gReplayedRow; }

void SaveStageCleared(int32_t nextStage, size_t clearedRow, int32_t gems, int32_t steps) {
    if (gPlayed == 0) return;
    SaveChange change;
    change.kind = SaveChange::Clear;
    change.file = gPlayed;
    change.nextStage = nextStage;
    change.clearedRow = clearedRow;
    change.gems = gems;
    change.steps = steps;
    gPending.push_back(change);
    SaveOrHold("Progress not saved");
}

int32_t AddNewFile(const SaveFileEntry& entry) {
    SaveFileTable shown = WithPending(gBase);
    if (shown.count >= kMaxSaveFiles) return -1;
    SaveChange change;
    change.kind = SaveChange::Add;
    change.file = NewIdentity(shown);
    change.entry = entry;
    gPending.push_back(change);
    gPlayed = change.file;
    SaveOrHold("New file " + SaveEntryName(entry) + " not saved");
    return FindFile(WithPending(gBase), gPlayed);
}

bool EraseFile(int32_t file, std::string& why) {
    if (file < 0 || file >= gShown.count) {
        why = "no file " + std::to_string(file) + " in the list";
        return false;
    }
    const int32_t identity = FileIdentity(gShown.files[file]);
    // A new file not written yet is only taken out of memory, its progress with it.
    const auto added = [identity](const SaveChange& c) { return c.file == identity; };
    if (std::any_of(gPending.begin(), gPending.end(),
                    [&](const SaveChange& c) { return c.kind == SaveChange::Add && added(c); })) {
        gPending.erase(std::remove_if(gPending.begin(), gPending.end(), added), gPending.end());
        return true;
    }
    const std::vector<SaveChange> before = gPending;
    SaveChange change;
    change.kind = SaveChange::Erase;
    change.file = identity;
    gPending.push_back(change);
    const Saved saved = WritePlayerFile(why);
    if (saved == Saved::No) gPending = before;
    // An erase that waits for the lock may never be written: its runs stay.
    if (saved == Saved::Yes) ForgetBestRuns(identity);
    return saved != Saved::No;
}

void SaveRecord(const std::string& notSaved, std::function<void()> write) {
    gRecords.push_back(std::move(write));
    SaveOrHold(notSaved);
}

void SaveWhatWaits() {
    if (!gWaiting) return;
    if (SaveOrHold("Progress not saved") != Saved::Waiting || ++gWaitedSteps != kLockWaitSteps) return;
    gSaidWaiting = true;
    TellPlayer("Save waiting: another program holds the lock %s.lock; the progress is kept and saved once it is free",
               PlayerSavePath().c_str());
}

void SaveBeforeQuitting() {
    if (!gWaiting) return;
    if (SaveOrHold("Progress not saved", 2000) == Saved::Waiting)
        TellPlayer("Progress not saved: another program held the lock %s.lock until the game ended",
                   PlayerSavePath().c_str());
}
