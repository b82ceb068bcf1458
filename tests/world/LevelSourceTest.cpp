#include "LevelBytes.h"
#include "levelsource/LevelSource.h"
#include <gtest/gtest.h>

using namespace LevelFile;

namespace {
const char* const kSource = R"(# a small test stage
tiles 0100 0101 0108 1000
stairs 12
bounds 0 0 9600 2400
start 1205 2399
tile -1 0 0   # the empty definition, with a comment
tile 0 0 1
tile 1 1 0 99
grid main 4 2
legend # 1
legend = 2
legend o 0
|....o
|=..##
|#####
end
grid middle 2 1
legend a 0
tail 9
|a..
|...
end
background 0 0 2 0 18 2 256 240
background 0 100 1 0 19 7 128 64 5
animated 150
raw 12 1 2 3 4 5
fields 25 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 34 35 36 37 38 39 40 41 42 43 44 45 46 47 48 49 50
)";

LevelData CompileOk(const std::string& source) {
    LevelData level;
    std::string error;
    EXPECT_TRUE(LevelSource::Compile(source, level, error)) << error;
    return level;
}

std::string CompileError(const std::string& source) {
    LevelData level;
    std::string error;
    EXPECT_FALSE(LevelSource::Compile(source, level, error));
    return error;
}

// Writing what was read, and compiling its dump, must both give the very
// same bytes.
void ExpectRoundTrip(const std::vector<uint8_t>& bytes) {
    LevelData level;
    std::string reason;
    ASSERT_TRUE(ReadLevel(bytes.data(), bytes.size(), level, reason)) << reason;
    EXPECT_EQ(WriteLevel(level), bytes);
    std::string source = LevelSource::Dump(level);
    EXPECT_EQ(WriteLevel(CompileOk(source)), bytes) << source;
}
}

TEST(LevelSource, CompilesWhatAStageMakerWrites) {
    LevelData level = CompileOk(kSource);
    EXPECT_EQ(level.tilePictures.items, (std::vector<int16_t>{100, 101, 108, 1000}));
    EXPECT_EQ(level.boundsRight, 9600);
    ASSERT_EQ(level.startPoints.items.size(), 1u);
    EXPECT_EQ(level.startPoints.items[0].y, 2399);
    ASSERT_EQ(level.tileDefinitions.items.size(), 3u);
    EXPECT_EQ(level.tileDefinitions.items[2].unused, 99);
    EXPECT_EQ((std::vector<int>{level.mainGrid.Cell(4, 0), level.mainGrid.Cell(0, 1), level.mainGrid.Cell(1, 1),
                                level.mainGrid.Cell(3, 2), level.middleGrid.lastSkip}),
              (std::vector<int>{0, 2, kSkippedCell, 1, 9}));
    ASSERT_EQ(level.backgrounds.items.size(), 2u);
    EXPECT_EQ(level.backgrounds.items[1].colorKeySelector, 7);
    EXPECT_EQ(level.backgrounds.items[1].unused, 5);
    EXPECT_EQ(level.RawTable(12).items.size(), 1u);
    EXPECT_EQ(level.section25[49], 50);
    ExpectRoundTrip(WriteLevel(level));
}

TEST(LevelSource, ErrorsNameTheLine) {
    EXPECT_EQ(CompileError("tiles 1\nbogus 3\n"), "line 2: unknown line 'bogus'");
    EXPECT_EQ(CompileError("\ntiles 1 x\n"), "line 2: 'x' is not a number");
    EXPECT_EQ(CompileError("tiles 1\ntiles 0x10\n"), "line 2: '0x10' is not a number");
    EXPECT_EQ(CompileError("stairs 300\n"), "line 1: 300 is out of range: expected 0 to 255");
    EXPECT_EQ(CompileError("grid main 1 0\n|x.\nend\n"), "line 2: 'x' is not in the legend");
    EXPECT_EQ(CompileError("grid main 1 0\n|...\nend\n"), "line 2: the row has 3 characters, expected 2");
    EXPECT_EQ(CompileError("grid main 1 1\n|..\nend\n"), "line 3: the grid has 1 rows, expected 2 (H + 1)");
    EXPECT_EQ(CompileError("# x\ngrid back 0 0\n|.\n"), "line 2: the grid has no end line");
    EXPECT_EQ(CompileError("grid main 100 0\n"), "line 1: grid sizes go from 0 to 99");
    EXPECT_EQ(CompileError("grid middle 2 0\ntail 1\n|...\nend\n"),
              "line 4: tail 1 does not cover the 3 empty cells at the end");
    EXPECT_EQ(CompileError("tiles 1\ncount 2 -2\n"), "line 2: the count -2 does not match the 1 records of section 2");
    EXPECT_EQ(CompileError("marker 1 2 3 4 2 abcdef\n"), "line 1: the marker length 2 does not match its 3 bytes");
    EXPECT_EQ(CompileError("raw 19 1\n"), "line 1: section 19 is not a table read past");
    EXPECT_EQ(CompileError("tile 1 2\n"), "line 1: tile takes 3 to 4 values, not 2");
    std::string many = "tile 0 0 0\n";
    std::string source;
    for (int i = 0; i < 256; ++i) source += many;
    EXPECT_EQ(CompileError(source), "line 256: more than 255 tile definitions");
}

TEST(LevelSource, FilesBuiltByteByByteSurviveDumpAndCompile) {
    ExpectRoundTrip(LevelBytes().Build());

    LevelBytes odd;
    odd.section[2] = Bytes().I16(-2);
    odd.section[3] = Bytes().U8(2).U8(0).U8(255);
    odd.section[4] = Bytes().I32(0).I32(0).I32(9600).I32(2400);
    odd.section[5] = Bytes().I16(-1).I16(3);
    odd.section[6] = Bytes().U8(2).I32(1).I32(-2).U8(3).U8(4).I32(-9).I32(5).I32(6).U8(7).U8(8).I32(3).U8(0).U8(0xFF).U8(0x10);
    odd.section[7] = Bytes().U8(1).I32(-15).I32(7).U8(1).U8(2);
    odd.section[8] = Bytes().I16(1).I32(-1).U8(0).U8(200).I32(-77);
    // Values of 62 and more are dumped as hex cells; a skip count past the
    // end and a negative one are kept as tails.
    odd.section[9] = Bytes().I16(3).I16(2).I16(1).I16(0).U8(0).I16(1).U8(255).I16(2).U8(61).I16(700);
    odd.section[10] = Bytes().I16(1).I16(1).I16(2).U8(9).I16(-4);
    odd.section[11] = Bytes().U8(1).I32(-5).I32(6).I16(-2).I16(3).U8(4).U8(9).I16(320).I16(240).I16(-8);
    odd.section[13] = Bytes().I16(1).I32(1).I32(2).I32(3).I16(4).U8(5).I16(6).I32(7).I32(8).I16(9);
    odd.section[15] = Bytes().U8(1).U8(2).U8(3);
    odd.section[16] = Bytes().U8(1).I32(1).I32(2).U8(3).U8(4);
    odd.section[18] = Bytes().I16(-1).I16(-1);
    odd.section[19] = Bytes().I16(-6).I16(7).I16(0).I16(0).I16(0).U8(62).I16(0);
    odd.section[21] = Bytes().I16(-3);
    odd.section[22] = Bytes().I16(1).I32(5).I32(-6).U8(7).I32(8).U8(9);
    odd.section[25] = Bytes().I16(-3).Zeros(98);
    odd.section[28] = Bytes().I16(2).I32(1).I16(2).I16(3).I32(-1).I16(-2).I16(-3);
    odd.section[29] = Bytes().U8(1).U8(2).U8(3);
    ExpectRoundTrip(odd.Build());
}
