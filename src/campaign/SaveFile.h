#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// The saved files the main menu lists. "svfile" is a plain run of 32-bit
// little-endian integers: the file count, then per file the name length, one
// integer per name glyph (menu font frames, 0..25 are A..Z), the stage number
// and 22 values that the game keeps but never reads. A record is 96 + 4 * L
// bytes long.
constexpr int kMaxSaveFiles = 20;
constexpr int kMaxNameGlyphs = 10;
// The largest save file the table can hold: 20 files of 10-glyph names. A
// larger one holds more than the game could keep and is not read.
constexpr size_t kMaxSaveFileBytes = 4 + kMaxSaveFiles * (96 + 4 * kMaxNameGlyphs);

struct SaveFileEntry {
    int32_t nameLength = 0;
    int32_t glyphs[kMaxNameGlyphs] = {};
    int32_t stage = 0;
    int32_t six[6] = {};
    int32_t nine[9] = {};
    int32_t four[4] = {};
    int32_t singles[3] = {};
};

struct SaveFileTable {
    int32_t count = 0;
    SaveFileEntry files[kMaxSaveFiles];
};

// Hands out the next 32-bit integer of a file; false once the data has run
// out (a partial integer at the end counts as run out).
using SaveIntSource = std::function<bool(int32_t& value)>;

// Reads the file into the table. Each integer is read on its own; a read past
// the end leaves that entry as it was. The table holds 20 files of at most 10
// glyphs: further files and glyphs are read past in step without being
// stored, a negative name length counts as 0, and the stored count is kept
// within 0..20.
void ReadSaveFile(const SaveIntSource& source, SaveFileTable& table);
void ReadSaveFile(const unsigned char* data, size_t size, SaveFileTable& table);
void ReadSaveFile(FILE* file, SaveFileTable& table);
// Reads the save file at a game path ("svfile"); false, with the table as it
// was, when it cannot be read. `why` then says what is wrong with a file that
// is there (a folder, a FIFO, larger than kMaxSaveFileBytes), and is empty
// when there is none.
bool LoadSaveFile(const std::string& gamePath, SaveFileTable& table, std::string& why);

// Fills `entry` from a name of the letters A to Z (at most 10) and a stage
// number of the stage table; false, with the reason in `error`, otherwise.
bool MakeSaveEntry(const std::string& name, int32_t stage, SaveFileEntry& entry, std::string& error);
// The name's glyphs as letters; a glyph that is no letter shows as '?'.
std::string SaveEntryName(const SaveFileEntry& entry);

// The bytes of a save file holding the table's files.
std::vector<unsigned char> SaveFileBytes(const SaveFileTable& table);
// Why the bytes are not a save file that can be written back without losing
// any of them (cut short, a count or a name too long for the table, bytes
// after the last file); "" when they are.
std::string WhyNotWhole(const std::vector<unsigned char>& bytes);

// A file whose last stage has been cleared keeps that stage and holds this
// in the last of its single values; the menu marks its name.
constexpr int32_t kFinishedMark = 1;
bool FileFinished(const SaveFileEntry& entry);

// The bests of each stage of the stage table, by its row, in the 20 spare
// values before the identity, in file order (older readers keep them as they
// keep every spare value): the first 10 hold the most gems found, the next
// 10 the fewest steps taken to clear it (0: not cleared yet).
constexpr size_t kGemRecordSlots = 10;
constexpr size_t kTimeRecordSlots = 10;
int32_t BestGems(const SaveFileEntry& entry, size_t stageRow);
// Keeps `gems` when it beats the best so far; rows past the slots keep nothing.
void KeepBestGems(SaveFileEntry& entry, size_t stageRow, int32_t gems);
// The fewest steps a clear of the stage took, or 0 for none.
int32_t BestSteps(const SaveFileEntry& entry, size_t stageRow);
// Keeps `steps` (above 0) when none is kept or it is fewer.
void KeepBestSteps(SaveFileEntry& entry, size_t stageRow, int32_t steps);
// Steps of 16 ms as minutes, seconds and hundredths: 1000 steps are "0:16.00".
std::string StepsAsTime(int32_t steps);
// The best gems of every stage of the stage table, added up.
int32_t AllBestGems(const SaveFileEntry& entry);

// Each file's identity, which other games' NEW GAME and ERASE leave alone:
// the 21st spare value (singles[1], just before the finished mark), which
// older readers keep as every spare value. 0 is none; a value that an
// earlier file of the list already holds is none for the later one.
int32_t FileIdentity(const SaveFileEntry& entry);
// The place of the file of that identity in the list, or -1.
int32_t FindFile(const SaveFileTable& table, int32_t identity);
// Gives each file that has no identity one made from its place and its
// bytes, so that games that read the same list give the same ones. Returns
// which files got one.
std::vector<bool> GiveIdentities(SaveFileTable& table);
// An identity that no file of the list holds, for a new file.
int32_t NewIdentity(const SaveFileTable& table);
// The identity as 8 lowercase hexadecimal digits: what a file of records kept
// for that file beside svfile is named after.
std::string IdentityName(int32_t identity);
// FNV-1a of the bytes, its start value changed by `seed`: identities given
// from a record, and the stage file a best run was made on.
uint32_t Fnv1aHash(const std::vector<unsigned char>& bytes, uint32_t seed = 0);

// A change one game makes to the list: a clear of a stage, a new file, an
// erase. It names its file by identity, never by place.
struct SaveChange {
    enum Kind { Clear, Add, Erase } kind = Clear;
    int32_t file = 0;
    // Clear: the next stage (0 when the last one was cleared: the file is
    // finished), the row of the stage cleared, the gems found there and the
    // steps the clear took (0: not timed).
    int32_t nextStage = 0;
    size_t clearedRow = 0;
    int32_t gems = 0;
    int32_t steps = 0;
    // Add: the new file, holding the identity `file`.
    SaveFileEntry entry;
};
enum class ChangeOutcome { Done, FileGone, NoRoom };
// Makes the change in the list and nothing else: a clear moves its file on to
// the later of its stage and `nextStage` (in stage table order), marks it
// finished, and keeps the gems and the steps when they beat its bests; an erase takes the
// file out (one already gone is Done); a new file goes at the end (NoRoom
// when the list is full; Done when it is there already). FileGone when the
// file of a clear is no longer in the list.
ChangeOutcome ApplySaveChange(SaveFileTable& table, const SaveChange& change);
