#include "campaign/SaveFile.h"
#include "support/GlWindow.h"
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>

namespace {
using Bytes = std::vector<unsigned char>;

void Put(Bytes& bytes, int32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(uint8_t(uint32_t(value) >> shift));
}

// One record: the name length as stored, the glyphs given, the stage and
// the 22 kept values numbered from `fill` upwards.
void PutRecord(Bytes& bytes, int32_t length, const std::vector<int32_t>& glyphs, int32_t stage, int32_t fill = 0) {
    Put(bytes, length);
    for (int32_t glyph : glyphs) Put(bytes, glyph);
    Put(bytes, stage);
    for (int32_t i = 0; i < 22; ++i) Put(bytes, fill ? fill + i : 0);
}

SaveFileTable Read(const Bytes& bytes, SaveFileTable table = {}) {
    ReadSaveFile(bytes.data(), bytes.size(), table);
    return table;
}
}

TEST(SaveFile, TheKeptValuesAreReadInTheirOrderAndWrittenBackByteForByte) {
    Bytes ab;
    Put(ab, 1);
    PutRecord(ab, 2, {0, 1}, 1, 100);
    SaveFileTable table = Read(ab);
    ASSERT_EQ(table.count, 1);
    const SaveFileEntry& entry = table.files[0];
    EXPECT_EQ(SaveEntryName(entry), "AB");
    SaveFileEntry odd;
    odd.nameLength = 3;
    odd.glyphs[1] = 26, odd.glyphs[2] = -1;
    EXPECT_EQ(SaveEntryName(odd), "A??");  // glyphs that are no letter
    // The first or last of each group of kept values.
    EXPECT_EQ((std::vector<int32_t>{entry.six[0], entry.six[5], entry.nine[0], entry.four[3], entry.singles[2]}),
              (std::vector<int32_t>{100, 105, 106, 118, 121}));
    EXPECT_EQ(SaveFileBytes(table), ab);
}

TEST(SaveFile, ShortFileKeepsEarlierValuesAndANegativeCountListsNothing) {
    SaveFileTable before;
    before.count = 3;
    before.files[1].nameLength = 4;
    before.files[1].glyphs[0] = 17;
    before.files[1].stage = 62;
    Bytes bytes;
    Put(bytes, 2);
    PutRecord(bytes, 1, {2}, 2);
    Put(bytes, 3);       // file 1's name length ...
    bytes.push_back(9);  // ... and a glyph cut short
    SaveFileTable table = Read(bytes, before);
    EXPECT_EQ(table.count, 2);
    EXPECT_EQ(table.files[0].stage, 2);
    EXPECT_EQ(table.files[1].nameLength, 3);
    EXPECT_EQ(table.files[1].glyphs[0], 17);
    EXPECT_EQ(table.files[1].stage, 62);

    // Not even the count: everything stays.
    EXPECT_EQ(Read(Bytes{1, 0}, before).count, 3);
    Bytes negative;
    Put(negative, -5);
    EXPECT_EQ(Read(negative, before).count, 0);
}

TEST(SaveFile, FilesAndGlyphsBeyondTheTableAreReadPastInStep) {
    Bytes bytes;
    Put(bytes, 25);
    for (int32_t f = 0; f < 25; ++f) PutRecord(bytes, 1, {f}, f == 24 ? 63 : 1, f * 1000 + 1);
    SaveFileTable table = Read(bytes);
    EXPECT_EQ(table.count, kMaxSaveFiles);
    EXPECT_EQ(table.files[19].glyphs[0], 19);
    EXPECT_EQ(table.files[19].singles[2], 19000 + 22);

    Bytes longName;
    Put(longName, 2);
    PutRecord(longName, 12, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 31);
    PutRecord(longName, 1, {25}, 34);
    table = Read(longName);
    EXPECT_EQ(table.files[0].nameLength, kMaxNameGlyphs);
    EXPECT_EQ(SaveEntryName(table.files[0]), "ABCDEFGHIJ");
    EXPECT_EQ(table.files[0].stage, 31);
    EXPECT_EQ(SaveEntryName(table.files[1]), "Z");
    EXPECT_EQ(table.files[1].stage, 34);

    // A negative length reads no glyphs: the stage follows at once.
    Bytes negative;
    Put(negative, 1);
    PutRecord(negative, -3, {}, 33);
    table = Read(negative);
    EXPECT_EQ(table.files[0].nameLength, 0);
    EXPECT_EQ(table.files[0].stage, 33);
}

TEST(SaveFile, HugeCountsInAShortFileEndAtOnce) {
    Bytes bytes;
    Put(bytes, INT32_MAX);
    PutRecord(bytes, INT32_MAX, {1, 2}, 0);
    // The reader asks once past the end and then stops.
    size_t offset = 0, calls = 0;
    SaveFileTable table;
    ReadSaveFile(
        [&](int32_t& value) {
            ++calls;
            if (offset + 4 > bytes.size()) return false;
            memcpy(&value, &bytes[offset], 4);  // the machine is little-endian, as the file
            offset += 4;
            return true;
        },
        table);
    EXPECT_EQ(calls, bytes.size() / 4 + 1);
    EXPECT_EQ(table.count, kMaxSaveFiles);
    EXPECT_EQ(table.files[0].nameLength, kMaxNameGlyphs);
    EXPECT_EQ(table.files[0].glyphs[1], 2);
}

TEST(SaveFile, TheFileReaderMatchesTheMemoryReaderAndAnEmptyOrMissingFileChangesNothing) {
    Bytes bytes;
    Put(bytes, 2);
    PutRecord(bytes, 3, {4, 5, 6}, 3, 7);
    PutRecord(bytes, 1, {8}, 2);
    bytes.push_back(1);
    std::string path = MakeTempDir() + "/svfile";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    SaveFileTable fromFile;
    std::string why;
    ASSERT_TRUE(LoadSaveFile(path, fromFile, why));
    EXPECT_EQ(SaveFileBytes(fromFile), SaveFileBytes(Read(bytes)));

    SaveFileTable kept;
    kept.count = 2;
    kept.files[1].stage = 33;
    EXPECT_FALSE(LoadSaveFile(path + ".missing", kept, why));
    EXPECT_EQ(why, "");  // a missing file is no fault of the player's
    std::ofstream{path};
    EXPECT_TRUE(LoadSaveFile(path, kept, why));
    EXPECT_EQ(kept.count, 2);
    EXPECT_EQ(kept.files[1].stage, 33);
}

namespace {
// The reader of the old format alone, as docs/save-file.md gives it: the
// count, then per file the name length, its glyphs, the stage and 22 values.
// "NAME:STAGE" for each file; empty when the bytes are not whole.
std::vector<std::string> OldReader(const Bytes& bytes) {
    size_t at = 0;
    auto next = [&](int32_t& value) {
        if (at + 4 > bytes.size()) return false;
        value = int32_t(uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
                        uint32_t(bytes[at + 3]) << 24);
        at += 4;
        return true;
    };
    std::vector<std::string> files;
    int32_t count = 0, length = 0, value = 0;
    if (!next(count)) return {};
    for (int32_t f = 0; f < count; ++f) {
        std::string name;
        if (!next(length)) return {};
        for (int32_t g = 0; g < length; ++g)
            if (next(value)) name += char('A' + value);
        if (!next(value)) return {};
        files.push_back(name + ":" + std::to_string(value));
        for (int32_t spare = 0; spare < 22; ++spare)
            if (!next(value)) return {};
    }
    return at == bytes.size() ? files : std::vector<std::string>{};
}
}

// Every game gives a file read without an identity the same one, made from
// its place and bytes; a stored one is kept, and a copy of another file's is
// none. Changes find their file by identity: a clear moves it on, never back,
// and keeps a best; an erase of a file gone is done. What is written is read
// whole by a reader that knows only the old format.
TEST(SaveFile, IdentitiesAreGivenAlikeByEveryGameAndChangesFindTheirFileByThem) {
    Bytes bytes;
    Put(bytes, 4);
    PutRecord(bytes, 2, {0, 1}, 1);
    PutRecord(bytes, 2, {0, 1}, 1);
    PutRecord(bytes, 1, {2}, 31, 500);  // its identity is 520
    PutRecord(bytes, 1, {3}, 2, 500);   // a copy of it
    SaveFileTable first = Read(bytes), second = Read(bytes);
    EXPECT_EQ(GiveIdentities(first), (std::vector<bool>{true, true, false, true}));
    GiveIdentities(second);
    EXPECT_EQ(SaveFileBytes(first), SaveFileBytes(second));
    EXPECT_NE(FileIdentity(first.files[0]), FileIdentity(first.files[1]));
    EXPECT_EQ(FindFile(first, 520), 2);
    EXPECT_NE(FileIdentity(first.files[3]), 520);
    EXPECT_EQ(GiveIdentities(first), std::vector<bool>(4, false));
    EXPECT_EQ(IdentityName(520), "00000208");
    EXPECT_EQ(IdentityName(-1), "ffffffff");

    SaveChange clear;
    clear.file = 520;
    clear.nextStage = 2;  // before stage 31: the file stays on 31
    clear.clearedRow = 3;
    clear.gems = 1;
    ASSERT_EQ(ApplySaveChange(first, clear), ChangeOutcome::Done);
    EXPECT_EQ(first.files[2].stage, 31);
    EXPECT_EQ(BestGems(first.files[2], 3), 503);
    clear.nextStage = 0;
    ApplySaveChange(first, clear);
    EXPECT_TRUE(FileFinished(first.files[2]));
    SaveChange erase;
    erase.kind = SaveChange::Erase;
    erase.file = FileIdentity(first.files[0]);
    const SaveFileEntry kept = first.files[1];
    EXPECT_EQ(ApplySaveChange(first, erase), ChangeOutcome::Done);
    EXPECT_EQ(ApplySaveChange(first, erase), ChangeOutcome::Done);
    EXPECT_EQ(first.count, 3);
    EXPECT_EQ(SaveFileBytes(first).size(), bytes.size() - 104);
    EXPECT_EQ(memcmp(&first.files[0], &kept, sizeof kept), 0);
    clear.file = erase.file;
    EXPECT_EQ(ApplySaveChange(first, clear), ChangeOutcome::FileGone);
    SaveChange add;
    add.kind = SaveChange::Add;
    add.file = NewIdentity(first);
    std::string why;
    ASSERT_TRUE(MakeSaveEntry("MIRA", 32, add.entry, why)) << why;
    EXPECT_EQ(ApplySaveChange(first, add), ChangeOutcome::Done);
    EXPECT_EQ(FindFile(first, add.file), 3);
    EXPECT_EQ(OldReader(SaveFileBytes(first)), (std::vector<std::string>{"AB:1", "C:31", "D:2", "MIRA:32"}));
    first.count = kMaxSaveFiles;
    add.file = NewIdentity(first);
    EXPECT_EQ(ApplySaveChange(first, add), ChangeOutcome::NoRoom);
}
