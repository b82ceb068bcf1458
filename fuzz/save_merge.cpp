// A save as a game merges it: the first four bytes choose a change (its
// kind, the file by its place, the next stage, the gems), the rest is the
// save file on disk. The file is read, given identities, the change is made
// by identity, and the list is written and read back. Nothing but the
// change's own file changes, by its identity; identities stay unique; what
// is written is whole and reads back the same.
#include "campaign/SaveFile.h"
#include "campaign/StageTable.h"
#include <cstdlib>
#include <cstring>

namespace {
void Check(bool holds) {
    if (!holds) abort();
}

bool SameRecord(const SaveFileEntry& a, const SaveFileEntry& b) { return memcmp(&a, &b, sizeof a) == 0; }

long RowOf(int32_t stage) {
    const StageRow* row = FindStage(stage);
    return row ? long(row - StageRows()) : -1;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    SaveFileTable table;
    ReadSaveFile(data + 4, size - 4, table);
    SaveFileTable again = table;
    GiveIdentities(table);
    GiveIdentities(again);
    Check(SaveFileBytes(table) == SaveFileBytes(again));
    for (int32_t f = 0; f < table.count; ++f)
        Check(FileIdentity(table.files[f]) != 0 && FindFile(table, FileIdentity(table.files[f])) == f);

    SaveChange change;
    change.kind = SaveChange::Kind(data[0] % 3);
    const int32_t place = data[1] % (kMaxSaveFiles + 1);
    // A new file always has an identity no file holds; a clear or an erase
    // may name one that is gone.
    const bool existing = place < table.count && change.kind != SaveChange::Add;
    change.file = existing ? FileIdentity(table.files[place]) : NewIdentity(table);
    const size_t row = data[2] % (StageRowCount() + 1);
    change.nextStage = row < StageRowCount() ? StageRows()[row].stage : 0;
    change.clearedRow = data[2] % (kGemRecordSlots + 2);
    change.gems = int8_t(data[3]);
    change.steps = int8_t(data[1]);
    std::string why;
    if (change.kind == SaveChange::Add) Check(MakeSaveEntry("NEWT", StageRows()[0].stage, change.entry, why));

    const SaveFileTable before = table;
    const int32_t file = FindFile(before, change.file);
    const ChangeOutcome outcome = ApplySaveChange(table, change);
    switch (change.kind) {
    case SaveChange::Clear:
        Check((outcome == ChangeOutcome::Done) == (file >= 0) && table.count == before.count);
        for (int32_t f = 0; f < table.count; ++f) {
            if (f != file) {
                Check(SameRecord(table.files[f], before.files[f]));
                continue;
            }
            const SaveFileEntry& now = table.files[f];
            Check(FileIdentity(now) == change.file && SaveEntryName(now) == SaveEntryName(before.files[f]));
            Check(RowOf(now.stage) >= RowOf(before.files[f].stage) || now.stage == before.files[f].stage);
            for (size_t slot = 0; slot < kGemRecordSlots; ++slot)
                Check(BestGems(now, slot) >= BestGems(before.files[f], slot));
            // A time kept is never beaten by a slower one, and none is 0 or below.
            for (size_t slot = 0; slot < kTimeRecordSlots; ++slot) {
                const int32_t was = BestSteps(before.files[f], slot), is = BestSteps(now, slot);
                Check(is >= 0 && (was == 0 || (is > 0 && is <= was)));
            }
        }
        break;
    case SaveChange::Erase:
        Check(outcome == ChangeOutcome::Done && table.count == before.count - (file >= 0));
        for (int32_t f = 0; f < table.count; ++f)
            Check(SameRecord(table.files[f], before.files[file >= 0 && f >= file ? f + 1 : f]));
        Check(FindFile(table, change.file) < 0);
        break;
    case SaveChange::Add:
        Check((outcome == ChangeOutcome::NoRoom) == (before.count == kMaxSaveFiles));
        for (int32_t f = 0; f < before.count; ++f) Check(SameRecord(table.files[f], before.files[f]));
        if (outcome == ChangeOutcome::Done) Check(FindFile(table, change.file) == before.count);
        break;
    }

    const std::vector<unsigned char> written = SaveFileBytes(table);
    Check(WhyNotWhole(written).empty());
    SaveFileTable read;
    ReadSaveFile(written.data(), written.size(), read);
    Check(SaveFileBytes(read) == written);
    for (bool given : GiveIdentities(read)) Check(!given);
    return 0;
}
