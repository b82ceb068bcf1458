#include "WalkMovie.h"
#include "WorstCaseLevel.h"
#include "core/Movie.h"
#include "levelsource/LevelSource.h"
#include "platform/Files.h"
#include "platform/MovieEvents.h"
#include "support/GlWindow.h"
#include "world/LevelFile.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

// Three grids of 100 by 100 stored cells, every cell with a picture, every
// main cell a wall and a ledge, and 8 background layers of the screen's
// size; written as a file the game accepts, with every picture it names.
TEST(WorstCaseLevel, FillsEveryGridAndWritesWhatItNames) {
    LevelFile::LevelData level;
    std::string error;
    ASSERT_TRUE(LevelSource::Compile(WorstCaseSource(), level, error)) << error;
    for (const LevelFile::CellGrid* grid : {&level.mainGrid, &level.middleGrid, &level.backGrid}) {
        EXPECT_EQ(grid->Columns(), 100);
        EXPECT_EQ(grid->Rows(), 100);
        EXPECT_EQ(std::count(grid->cells.begin(), grid->cells.end(), LevelFile::kSkippedCell), 0);
    }
    ASSERT_EQ(level.tileDefinitions.items.size(), 1u);
    EXPECT_NE(level.tileDefinitions.items[0].flag20, 0);
    EXPECT_NE(level.tileDefinitions.items[0].flag40, 0);
    ASSERT_EQ(level.backgrounds.items.size(), 8u);
    for (const LevelFile::Background& layer : level.backgrounds.items) {
        EXPECT_EQ(layer.verticalDivisor, 0);
        EXPECT_EQ(layer.frameHeight, 240);
    }

    TempDir temp;
    const std::string& data = temp.path;
    for (const char* folder : {"/levels", "/tiles", "/bg"}) mkdir((data + folder).c_str(), 0755);
    ASSERT_TRUE(WriteWorstCaseLevel(data, error)) << error;
    LevelFile::LevelData written;
    ASSERT_TRUE(LevelFile::ReadLevelFile(data + "/levels/" + kWorstCaseLevel, written, error)) << error;
    EXPECT_EQ(LevelFile::WriteLevel(written), LevelFile::WriteLevel(level));
    auto pictureWritten = [&](const char* base, int number) {
        struct stat info;
        return stat((data + "/" + HostPath(LevelFile::PictureFileName(base, number))).c_str(), &info) == 0;
    };
    for (int16_t picture : level.tilePictures.items) EXPECT_TRUE(pictureWritten(LevelFile::kTileBase, picture));
    for (const LevelFile::Background& layer : level.backgrounds.items)
        EXPECT_TRUE(pictureWritten(LevelFile::kBackgroundBase, layer.picture));

    EXPECT_FALSE(WriteWorstCaseLevel(data + "/missing", error));
}

// The movie is one the game accepts, walks right and then left, and keeps
// ButtonA held from the first step.
TEST(WalkMovie, TheGameReadsItAndItTurnsHalfWay) {
    std::vector<MovieEvent> events;
    MovieError error;
    ASSERT_TRUE(ParseMovie(WalkMovie(1000), SdlKeyNames(), events, error)) << error.line << ": " << error.message;
    EXPECT_TRUE(std::is_sorted(events.begin(), events.end(),
                               [](const MovieEvent& a, const MovieEvent& b) { return a.step < b.step; }));
    std::string text = WalkMovie(1000);
    EXPECT_EQ(text.rfind(std::string(kMovieHeader) + "\n1 down z\n1 down right\n", 0), 0u);
    EXPECT_NE(text.find("\n501 up right\n501 down left\n"), std::string::npos);
    EXPECT_EQ(std::count_if(events.begin(), events.end(), [](const MovieEvent& e) { return e.step > 1000; }), 0);
}
