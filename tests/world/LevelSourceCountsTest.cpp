#include "levelsource/LevelSource.h"
#include "world/LevelFile.h"
#include <gtest/gtest.h>

using namespace LevelFile;

// Found by the level_source fuzz target: a compiled level kept the count
// field 0 for every section without a count line, so it differed from the
// same level read back from its bytes, and its dump said "count 2 0", which
// did not compile. A section without a count line now gets the count its
// records make.
TEST(LevelSourceCounts, ACompiledLevelEqualsItsFileReadBack) {
    const char* const source =
        "tiles 7 8\nstairs 3\nbounds 0 0 9600 2400\nstart 1205 2399 0 0\ntile 0 0 1 0\n"
        "marker 1 2 3 4 2 4142\nbackground 0 0 0 0 1 9 64 64 0\nanimated 5 6\nraw 13 1 2 3 4 5 6 7 8 9\n"
        "count 18 131073\nraw 18 1 2 3 4\ngrid main 2 1\nlegend 0 0\n|000\n|...\nend\n";
    LevelData compiled;
    std::string error;
    ASSERT_TRUE(LevelSource::Compile(source, compiled, error)) << error;
    std::vector<uint8_t> bytes = WriteLevel(compiled);
    LevelData read;
    ASSERT_TRUE(ReadLevel(bytes.data(), bytes.size(), read, error)) << error;
    EXPECT_EQ(compiled.tilePictures.stored, read.tilePictures.stored);
    EXPECT_EQ(compiled.RawTable(13).stored, read.RawTable(13).stored);
    EXPECT_EQ((std::vector<int64_t>{compiled.stairPictures.stored, compiled.markers.stored, compiled.startPoints.stored,
                                    compiled.tileDefinitions.stored, compiled.backgrounds.stored,
                                    compiled.animatedTiles.stored, compiled.RawTable(18).stored}),
              (std::vector<int64_t>{1, 1, 1, 1, 1, 2, 131073}));

    std::string dump = LevelSource::Dump(compiled);
    EXPECT_EQ(dump, LevelSource::Dump(read));
    LevelData again;
    ASSERT_TRUE(LevelSource::Compile(dump, again, error)) << error << "\n" << dump;
    EXPECT_EQ(WriteLevel(again), bytes);
}
