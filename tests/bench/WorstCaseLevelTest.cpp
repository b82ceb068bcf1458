#include "WalkMovie.h"
#include "WorstCaseLevel.h"
#include "base/Movie.h"
#include "levelsource/LevelSource.h"
#include "platform/Files.h"
#include "platform/MovieEvents.h"
#include "support/GlWindow.h"
#include "world/LevelFile.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

// Three grids of 100 by 100 stored cells, every main cell a wall and a ledge,
// and 8 background layers; written as a file the game accepts, with every
// picture it names, and walked by a movie the game reads.
TEST(WorstCaseLevel, FillsEveryGridAndWritesWhatItNames) {
    LevelFile::LevelData level;
    std::string error;
    ASSERT_TRUE(LevelSource::Compile(WorstCaseSource(), level, error)) << error;
    for (const LevelFile::CellGrid* grid : {&level.mainGrid, &level.middleGrid, &level.backGrid}) {
        EXPECT_EQ(std::make_pair(grid->Columns(), grid->Rows()), std::make_pair(100, 100));
        EXPECT_EQ(std::count(grid->cells.begin(), grid->cells.end(), LevelFile::kSkippedCell), 0);
    }
    ASSERT_EQ(level.tileDefinitions.items.size(), 1u);
    EXPECT_TRUE(level.tileDefinitions.items[0].flag20 && level.tileDefinitions.items[0].flag40);
    EXPECT_EQ(level.backgrounds.items.size(), 8u);

    TempDir temp;
    for (const char* folder : {"/levels", "/tiles", "/bg"}) mkdir((temp.path + folder).c_str(), 0755);
    ASSERT_TRUE(WriteWorstCaseLevel(temp.path, error)) << error;
    LevelFile::LevelData written;
    ASSERT_TRUE(LevelFile::ReadLevelFile(temp / "levels" + "/" + kWorstCaseLevel, written, error)) << error;
    EXPECT_EQ(LevelFile::WriteLevel(written), LevelFile::WriteLevel(level));
    struct stat info;
    for (int16_t picture : level.tilePictures.items)
        EXPECT_EQ(stat((temp / HostPath(LevelFile::PictureFileName(LevelFile::kTileBase, picture))).c_str(), &info), 0);
    std::vector<MovieEvent> events;
    MovieError movieError;
    EXPECT_TRUE(ParseMovie(WalkMovie(1000), SdlKeyNames(), events, movieError)) << movieError.message;
}
