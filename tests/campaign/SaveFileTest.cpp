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

// Files without an identity get one made from their place and record, the
// same in every game; an identity a later file keeps is passed over, and
// what lies beyond the list's count is no file and holds none.
TEST(SaveFile, GivenIdentitiesPassOverLaterFilesOwnButNotWhatLiesBeyondTheList) {
    SaveFileTable table;
    std::string why;
    table.count = 2;
    ASSERT_TRUE(MakeSaveEntry("ALDA", 1, table.files[0], why) && MakeSaveEntry("BO", 2, table.files[1], why)) << why;
    table.files[0].singles[1] = table.files[1].singles[1] = 0;
    SaveFileTable plain = table, beyond = table, later = table;
    GiveIdentities(plain);
    const int32_t alda = FileIdentity(plain.files[0]);
    beyond.files[2].singles[1] = alda;
    GiveIdentities(beyond);
    EXPECT_EQ(FileIdentity(beyond.files[0]), alda);
    later.files[1].singles[1] = alda;
    GiveIdentities(later);
    EXPECT_NE(FileIdentity(later.files[0]), alda);
    EXPECT_EQ(FileIdentity(later.files[1]), alda);
}
