#include "levelsource/LevelSource.h"
#include "world/LevelFile.h"
#include <gtest/gtest.h>

using namespace LevelFile;

namespace {
std::string CompileError(const std::string& source) {
    LevelData level;
    std::string error;
    EXPECT_FALSE(LevelSource::Compile(source, level, error));
    return error;
}
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
    EXPECT_EQ(CompileError("tiles 1\nplay lives=0\n"), "line 2: the play marker's lives=0 is outside 1 to 9");
    EXPECT_EQ(CompileError("play lives=-3000000000\n"), "line 1: the play marker's 'lives' is not a whole number");
    EXPECT_EQ(CompileError("thing door x=1 y=1\n"), "line 1: unknown thing kind 'door'");
    EXPECT_EQ(CompileError("thing gem y=1 # x=2\n"), "line 1: the gem needs x");
    EXPECT_EQ(CompileError("thing walker x=1 y=2 hp=0\n"), "line 1: the walker's hp=0 is outside 1 to 40");
    EXPECT_NE(CompileError("thing spikes x=1 y=2 width=0\n").find("width=0 is outside 1 to 40"), std::string::npos);
    std::string many = "tile 0 0 0\n";
    std::string source;
    for (int i = 0; i < 256; ++i) source += many;
    EXPECT_EQ(CompileError(source), "line 256: more than 255 tile definitions");
}

// Found by the level_source fuzz target: a compiled level kept the count
// field 0 for every section without a count line, so it differed from the
// same level read back from its bytes, and its dump said "count 2 0", which
// did not compile. A section without a count line now gets the count its
// records make.
// A play line, its fields in any order, is the play marker with every field
// in order, in its place among the markers; a play marker no play line gives
// back (the bare name, a number set) stays a marker line. Thing lines and
// markers likewise.
TEST(LevelSourceCounts, ACompiledLevelEqualsItsFileReadBack) {
    const char* const source =
        "tiles 0108 8\nstairs 3\nbounds 0 0 9600 2400\nstart 1205 2399 0 0\ntile 0 0 1 0\n"
        "marker 1 2 3 4 2 4142\nplay whip=2 jump=100\nthing walker y=264 x=300 hp=2\n"
        "marker 0 0 0 0 13 6475736b686f6c6420706c6179\nmarker 0 0 0 0 16 6475736b686f6c642067656d20783d31\n"
        "marker 0 0 0 1 20 6475736b686f6c642067656d20783d3120793d32\n"
        "marker 0 0 0 1 45 6475736b686f6c6420706c6179206a756d703d3732206865617274733d35206c697665733d3320776869703d31\n"
        "background 0 0 0 0 1 9 64 64 0\nanimated 5 6\nraw 13 1 2 3 4 5 6 7 8 9\n"
        "count 18 131073\nraw 18 1 2 3 4\ngrid main 2 1\nlegend 0 0\n|000\n|...\nend\n";
    LevelData compiled;
    std::string error;
    ASSERT_TRUE(LevelSource::Compile(source, compiled, error)) << error;
    std::vector<uint8_t> bytes = WriteLevel(compiled);
    LevelData read;
    ASSERT_TRUE(ReadLevel(bytes.data(), bytes.size(), read, error)) << error;
    EXPECT_EQ(compiled.tilePictures.items[0], 108);  // base 10, leading zeros and all
    EXPECT_EQ(compiled.tilePictures.stored, read.tilePictures.stored);
    EXPECT_EQ(compiled.RawTable(13).stored, read.RawTable(13).stored);
    EXPECT_EQ((std::vector<int64_t>{compiled.stairPictures.stored, compiled.markers.stored, compiled.startPoints.stored,
                                    compiled.tileDefinitions.stored, compiled.backgrounds.stored,
                                    compiled.animatedTiles.stored, compiled.RawTable(18).stored}),
              (std::vector<int64_t>{1, 7, 1, 1, 1, 2, 131073}));

    std::string dump = LevelSource::Dump(compiled);
    EXPECT_NE(dump.find("4142\nplay jump=100 hearts=5 lives=3 whip=2\nthing walker x=300 y=264 range=72 hp=2 drop=0\n"
                        "marker 0 0 0 0 13 "),
              std::string::npos)
        << dump;
    EXPECT_EQ(dump, LevelSource::Dump(read));
    LevelData again;
    ASSERT_TRUE(LevelSource::Compile(dump, again, error)) << error << "\n" << dump;
    EXPECT_EQ(WriteLevel(again), bytes);
}
