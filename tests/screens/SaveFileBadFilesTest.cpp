#include "screens/SaveFile.h"
#include "support/GlWindow.h"
#include <climits>
#include <fstream>
#include <gtest/gtest.h>

// Save files as the menu opens them, from disk.
namespace {
std::string WriteFile(const std::string& bytes) {
    std::string path = MakeTempDir() + "/svfile";
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string Int32(int32_t value) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) bytes += char(uint32_t(value) >> shift);
    return bytes;
}
}

TEST(SaveFileBadFiles, AnEmptyFileChangesNothing) {
    SaveFileTable table;
    table.count = 2;
    table.files[1].stage = 33;
    ASSERT_TRUE(LoadSaveFile(WriteFile(""), table));
    EXPECT_EQ(table.count, 2);
    EXPECT_EQ(table.files[1].stage, 33);
}

// A count and a name length of 2^31 - 1 in a file of two records' worth:
// the reader stops where the file does instead of asking two billion times.
TEST(SaveFileBadFiles, CountsOfTwoBillionEndWithTheFile) {
    std::string bytes = Int32(INT_MAX) + Int32(1) + Int32(4) + Int32(2);
    for (int i = 0; i < 22; ++i) bytes += Int32(0);
    bytes += Int32(INT_MAX) + Int32(7) + Int32(8);
    SaveFileTable table;
    ASSERT_TRUE(LoadSaveFile(WriteFile(bytes), table));
    EXPECT_EQ(table.count, kMaxSaveFiles);
    EXPECT_EQ(table.files[0].glyphs[0], 4);
    EXPECT_EQ(table.files[0].stage, 2);
    EXPECT_EQ(table.files[1].nameLength, kMaxNameGlyphs);
    EXPECT_EQ(table.files[1].glyphs[1], 8);
    EXPECT_EQ(table.files[1].stage, 0);
}
