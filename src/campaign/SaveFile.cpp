#include "campaign/SaveFile.h"
#include "platform/Files.h"
#include "campaign/StageTable.h"
#include "core/StepPacer.h"
#include <algorithm>
#include <random>

namespace {
int32_t FromLittleEndian(const unsigned char* bytes) {
    return int32_t(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24);
}

// Remembers when the source has run out. Every later read would fail too and
// leave its entry as it was, so the reader may stop there: a count or name
// length of two billion in a short file then costs nothing.
class Reader {
public:
    explicit Reader(const SaveIntSource& source) : source_(source) {}
    void Read(int32_t& value) {
        if (!exhausted_ && !source_(value)) exhausted_ = true;
    }
    void Read(int32_t* values, int count) {
        for (int i = 0; i < count; ++i) Read(values[i]);
    }
    bool Exhausted() const { return exhausted_; }

private:
    const SaveIntSource& source_;
    bool exhausted_ = false;
};

void ReadEntry(Reader& reader, SaveFileEntry& entry) {
    int32_t length = entry.nameLength;
    reader.Read(length);
    entry.nameLength = std::clamp(length, 0, kMaxNameGlyphs);
    int32_t unstored = 0;
    for (int32_t g = 0; g < length && !reader.Exhausted(); ++g)
        reader.Read(g < kMaxNameGlyphs ? entry.glyphs[g] : unstored);
    reader.Read(entry.stage);
    reader.Read(entry.six, 6);
    reader.Read(entry.nine, 9);
    reader.Read(entry.four, 4);
    reader.Read(entry.singles, 3);
}

void Append(std::vector<unsigned char>& bytes, int32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(uint8_t(uint32_t(value) >> shift));
}

void Append(std::vector<unsigned char>& bytes, const int32_t* values, int count) {
    for (int i = 0; i < count; ++i) Append(bytes, values[i]);
}
}

void ReadSaveFile(const SaveIntSource& source, SaveFileTable& table) {
    Reader reader(source);
    int32_t count = table.count;
    reader.Read(count);
    SaveFileEntry unstored;
    for (int32_t f = 0; f < count && !reader.Exhausted(); ++f)
        ReadEntry(reader, f < kMaxSaveFiles ? table.files[f] : unstored);
    table.count = std::clamp(count, 0, kMaxSaveFiles);
}

void ReadSaveFile(const unsigned char* data, size_t size, SaveFileTable& table) {
    size_t offset = 0;
    ReadSaveFile(
        [&](int32_t& value) {
            if (size - offset < 4) {
                offset = size;
                return false;
            }
            value = FromLittleEndian(data + offset);
            offset += 4;
            return true;
        },
        table);
}

void ReadSaveFile(FILE* file, SaveFileTable& table) {
    ReadSaveFile(
        [file](int32_t& value) {
            unsigned char bytes[4];
            if (fread(bytes, 4, 1, file) != 1) return false;
            value = FromLittleEndian(bytes);
            return true;
        },
        table);
}

bool LoadSaveFile(const std::string& gamePath, SaveFileTable& table, std::string& why) {
    std::vector<unsigned char> bytes;
    why.clear();
    if (ReadWholeFile(gamePath, kMaxSaveFileBytes, bytes, why)) {
        ReadSaveFile(bytes.data(), bytes.size(), table);
        return true;
    }
    if (!GameFileIsThere(gamePath)) why.clear();
    return false;
}

std::vector<unsigned char> SaveFileBytes(const SaveFileTable& table) {
    std::vector<unsigned char> bytes;
    int32_t count = std::clamp(table.count, 0, kMaxSaveFiles);
    Append(bytes, count);
    for (int32_t f = 0; f < count; ++f) {
        const SaveFileEntry& entry = table.files[f];
        int32_t length = std::clamp(entry.nameLength, 0, kMaxNameGlyphs);
        Append(bytes, length);
        Append(bytes, entry.glyphs, length);
        Append(bytes, entry.stage);
        Append(bytes, entry.six, 6);
        Append(bytes, entry.nine, 9);
        Append(bytes, entry.four, 4);
        Append(bytes, entry.singles, 3);
    }
    return bytes;
}

bool MakeSaveEntry(const std::string& name, int32_t stage, SaveFileEntry& entry, std::string& error) {
    if (name.empty() || name.size() > size_t(kMaxNameGlyphs)) {
        error = "a name has 1 to " + std::to_string(kMaxNameGlyphs) + " letters: \"" + name + "\"";
        return false;
    }
    for (char letter : name)
        if (letter < 'A' || letter > 'Z') {
            error = "a name holds only the letters A to Z: \"" + name + "\"";
            return false;
        }
    if (!FindStage(stage)) {
        error = "no stage " + std::to_string(stage) + " in the stage table";
        return false;
    }
    entry = SaveFileEntry();
    entry.nameLength = int32_t(name.size());
    for (size_t g = 0; g < name.size(); ++g) entry.glyphs[g] = name[g] - 'A';
    entry.stage = stage;
    return true;
}

std::string SaveEntryName(const SaveFileEntry& entry) {
    std::string name;
    for (int32_t g = 0; g < std::clamp(entry.nameLength, 0, kMaxNameGlyphs); ++g)
        name += entry.glyphs[g] >= 0 && entry.glyphs[g] < 26 ? char('A' + entry.glyphs[g]) : '?';
    return name;
}

std::string WhyNotWhole(const std::vector<unsigned char>& bytes) {
    SaveFileTable table;
    ReadSaveFile(bytes.data(), bytes.size(), table);
    std::vector<unsigned char> again = SaveFileBytes(table);
    if (again == bytes) return "";
    if (bytes.size() < 4) return "it ends early";
    if (FromLittleEndian(bytes.data()) != table.count)
        return "its count of files does not fit the list of " + std::to_string(kMaxSaveFiles);
    return again.size() > bytes.size() ? "it ends early" : "it holds more than its files";
}

bool FileFinished(const SaveFileEntry& entry) { return entry.singles[2] == kFinishedMark; }

namespace {
// The spare values in file order: six, nine, four, then the first single
// (the identity and the finished mark follow).
int32_t* SpareValue(SaveFileEntry& entry, size_t place) {
    int32_t* const groups[] = {entry.six, entry.nine, entry.four, entry.singles};
    const size_t sizes[] = {6, 9, 4, 1};
    for (size_t g = 0; g < 4; ++g) {
        if (place < sizes[g]) return groups[g] + place;
        place -= sizes[g];
    }
    return nullptr;
}

int32_t* GemSlot(SaveFileEntry& entry, size_t stageRow) {
    return stageRow < kGemRecordSlots ? SpareValue(entry, stageRow) : nullptr;
}

int32_t* TimeSlot(SaveFileEntry& entry, size_t stageRow) {
    return stageRow < kTimeRecordSlots ? SpareValue(entry, kGemRecordSlots + stageRow) : nullptr;
}
}

int32_t BestGems(const SaveFileEntry& entry, size_t stageRow) {
    const int32_t* slot = GemSlot(const_cast<SaveFileEntry&>(entry), stageRow);
    return slot ? std::max(*slot, 0) : 0;
}

void KeepBestGems(SaveFileEntry& entry, size_t stageRow, int32_t gems) {
    if (int32_t* slot = GemSlot(entry, stageRow)) *slot = std::max(BestGems(entry, stageRow), gems);
}

int32_t BestSteps(const SaveFileEntry& entry, size_t stageRow) {
    const int32_t* slot = TimeSlot(const_cast<SaveFileEntry&>(entry), stageRow);
    return slot ? std::max(*slot, 0) : 0;
}

void KeepBestSteps(SaveFileEntry& entry, size_t stageRow, int32_t steps) {
    const int32_t best = BestSteps(entry, stageRow);
    if (int32_t* slot = TimeSlot(entry, stageRow); slot && steps > 0 && (best == 0 || steps < best)) *slot = steps;
}

std::string StepsAsTime(int32_t steps) {
    const long hundredths = long(steps) * long(StepPacer::kStepMs) / 10;
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld.%02ld", hundredths / 6000, hundredths / 100 % 60, hundredths % 100);
    return text;
}

int32_t AllBestGems(const SaveFileEntry& entry) {
    int32_t gems = 0;
    for (size_t row = 0; row < StageRowCount(); ++row) gems += BestGems(entry, row);
    return gems;
}

int32_t FileIdentity(const SaveFileEntry& entry) { return entry.singles[1]; }

int32_t FindFile(const SaveFileTable& table, int32_t identity) {
    if (identity == 0) return -1;
    for (int32_t f = 0; f < std::clamp(table.count, 0, kMaxSaveFiles); ++f)
        if (FileIdentity(table.files[f]) == identity) return f;
    return -1;
}

uint32_t Fnv1aHash(const std::vector<unsigned char>& bytes, uint32_t seed) {
    uint32_t hash = 2166136261u ^ seed;
    for (unsigned char byte : bytes) hash = (hash ^ byte) * 16777619u;
    return hash;
}

namespace {

std::vector<unsigned char> RecordBytes(const SaveFileEntry& entry) {
    SaveFileTable one;
    one.count = 1;
    one.files[0] = entry;
    return SaveFileBytes(one);
}

bool Taken(const SaveFileTable& table, int32_t identity, int32_t before) {
    for (int32_t f = 0; f < before; ++f)
        if (FileIdentity(table.files[f]) == identity) return true;
    return false;
}
}

std::vector<bool> GiveIdentities(SaveFileTable& table) {
    const int32_t count = std::clamp(table.count, 0, kMaxSaveFiles);
    std::vector<bool> given(size_t(count), false);
    for (int32_t f = 0; f < count; ++f) {
        SaveFileEntry& entry = table.files[f];
        if (FileIdentity(entry) != 0 && !Taken(table, FileIdentity(entry), f)) continue;
        const std::vector<unsigned char> bytes = RecordBytes(entry);
        int32_t identity = 0;
        // Another file's identity, stored or given, is passed over; later
        // files' stored ones too, so that none of them loses its own.
        for (uint32_t seed = uint32_t(f);; seed += kMaxSaveFiles) {
            identity = int32_t(Fnv1aHash(bytes, seed));
            bool used = identity == 0 || Taken(table, identity, f);
            for (int32_t later = f + 1; later < count && !used; ++later)
                used = FileIdentity(table.files[later]) == identity;
            if (!used) break;
        }
        entry.singles[1] = identity;
        given[size_t(f)] = true;
    }
    return given;
}

int32_t NewIdentity(const SaveFileTable& table) {
    static std::random_device device;
    for (;;) {
        const int32_t identity = int32_t(device());
        if (identity != 0 && FindFile(table, identity) < 0) return identity;
    }
}

std::string IdentityName(int32_t identity) {
    char name[9];
    snprintf(name, sizeof name, "%08x", unsigned(uint32_t(identity)));
    return name;
}

namespace {
// The row of a stage in the stage table; -1 for one it does not have.
long RowOf(int32_t stage) {
    const StageRow* row = FindStage(stage);
    return row ? long(row - StageRows()) : -1;
}
}

ChangeOutcome ApplySaveChange(SaveFileTable& table, const SaveChange& change) {
    const int32_t file = FindFile(table, change.file);
    switch (change.kind) {
    case SaveChange::Add:
        if (file >= 0) return ChangeOutcome::Done;
        if (table.count >= kMaxSaveFiles) return ChangeOutcome::NoRoom;
        table.files[table.count] = change.entry;
        table.files[table.count++].singles[1] = change.file;
        return ChangeOutcome::Done;
    case SaveChange::Erase:
        if (file < 0) return ChangeOutcome::Done;
        std::copy(table.files + file + 1, table.files + table.count, table.files + file);
        table.files[--table.count] = SaveFileEntry();
        return ChangeOutcome::Done;
    case SaveChange::Clear: break;
    }
    if (file < 0) return ChangeOutcome::FileGone;
    SaveFileEntry& entry = table.files[file];
    KeepBestGems(entry, change.clearedRow, change.gems);
    KeepBestSteps(entry, change.clearedRow, change.steps);
    if (!change.nextStage) entry.singles[2] = kFinishedMark;
    else if (RowOf(change.nextStage) > RowOf(entry.stage)) entry.stage = change.nextStage;
    return ChangeOutcome::Done;
}
