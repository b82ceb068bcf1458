#include "LevelBytes.h"
#include "world/LevelFile.h"
#include <gtest/gtest.h>

using namespace LevelFile;

namespace {
bool Read(const std::vector<uint8_t>& bytes, LevelData& level, std::string& reason) {
    return ReadLevel(bytes.data(), bytes.size(), level, reason);
}

LevelData ReadOk(const LevelBytes& file) {
    LevelData level;
    std::string reason;
    EXPECT_TRUE(Read(file.Build(), level, reason)) << reason;
    return level;
}

std::string Refusal(const LevelBytes& file) {
    LevelData level;
    std::string reason;
    EXPECT_FALSE(Read(file.Build(), level, reason));
    return reason;
}
}

TEST(LevelFile, HeaderMustBeFiveZerosAnd54) {
    LevelBytes file;
    ReadOk(file);
    file.section[1] = Bytes().I16(0).I16(0).I16(0).I16(0).I16(0).I16(53);
    EXPECT_NE(Refusal(file).find("header"), std::string::npos);
    for (int nonZero = 0; nonZero < 5; ++nonZero) {
        Bytes header;
        for (int i = 0; i < 5; ++i) header.I16(i == nonZero ? 1 : 0);
        file.section[1] = header.I16(54);
        EXPECT_NE(Refusal(file).find("header"), std::string::npos) << nonZero;
    }
    LevelData level;
    std::string reason;
    EXPECT_FALSE(ReadLevel(nullptr, 0, level, reason));
    EXPECT_NE(reason.find("too short"), std::string::npos);
}

TEST(LevelFile, NegativeCountsMeanNoRecords) {
    LevelBytes file;
    file.section[2] = Bytes().I16(-2);
    file.section[3] = Bytes().U8(1).U8(9);
    file.section[8] = Bytes().I16(-1);
    LevelData level = ReadOk(file);
    EXPECT_TRUE(level.tilePictures.items.empty());
    EXPECT_EQ(level.tilePictures.stored, -2);
    ASSERT_EQ(level.stairPictures.items.size(), 1u);
    EXPECT_EQ(level.stairPictures.items[0], 9);
    EXPECT_TRUE(level.tileDefinitions.items.empty());

    // Section 18 counts with the low sixteen bits of its 32-bit count.
    file.section[18] = Bytes().U8(0x02).U8(0).U8(0x01).U8(0).Zeros(12);
    EXPECT_EQ(ReadOk(file).RawTable(18).items.size(), 2u);
    file.section[18] = Bytes().U8(0xFF).U8(0xFF).U8(0).U8(0);
    level = ReadOk(file);
    EXPECT_TRUE(level.RawTable(18).items.empty());
    EXPECT_EQ(level.RawTable(18).stored, 0xFFFF);
}

TEST(LevelFile, NamedMarkersCarryTheirLength) {
    // The start point after the markers is only right if each marker was
    // read to its end: 14 bytes for L = 0 and for a negative L, 21 for L = 7.
    LevelBytes file;
    file.section[6] = Bytes()
                          .U8(3)
                          .I32(1)
                          .I32(2)
                          .U8(3)
                          .U8(4)
                          .I32(0)
                          .I32(1)
                          .I32(2)
                          .U8(3)
                          .U8(4)
                          .I32(7)
                          .Zeros(7)
                          .I32(1)
                          .I32(2)
                          .U8(3)
                          .U8(4)
                          .I32(-5);
    EXPECT_EQ(file.section[6].data.size(), 1u + 14 + 21 + 14);
    file.section[7] = Bytes().U8(1).I32(1205).I32(2399).U8(0).U8(0);
    LevelData level = ReadOk(file);
    ASSERT_EQ(level.markers.items.size(), 3u);
    EXPECT_EQ(level.markers.items[1].bytes.size(), 7u);
    EXPECT_TRUE(level.markers.items[2].bytes.empty());
    ASSERT_EQ(level.startPoints.items.size(), 1u);
    EXPECT_EQ(level.startPoints.items[0].x, 1205);
    EXPECT_EQ(level.startPoints.items[0].y, 2399);
}

TEST(LevelFile, CellStreams) {
    LevelBytes file;
    // W = 2, H = 0: skip 1, literal 5, skip 1 gives empty, 5, empty.
    file.section[10] = Bytes().I16(2).I16(0).I16(1).U8(5).I16(1);
    // A first skip count larger than the 6 cells: all empty, nothing more read.
    file.section[19] = Bytes().I16(0).I16(0).I16(2).I16(1).I16(500);
    file.section[20] = Bytes().I16(77);
    LevelData level = ReadOk(file);
    EXPECT_EQ(level.middleGrid.cells, (std::vector<int16_t>{kSkippedCell, 5, kSkippedCell}));
    EXPECT_EQ(level.backGrid.cells, std::vector<int16_t>(6, kSkippedCell));
    EXPECT_EQ(level.backGrid.lastSkip, 500);
    EXPECT_EQ(level.section20, 77);

    // A negative skip count never reaches zero: the rest of the grid is empty.
    file.section[9] = Bytes().I16(0).I16(1).I16(1).I16(0).U8(4).I16(-3);
    level = ReadOk(file);
    EXPECT_EQ(level.mainGrid.cells, (std::vector<int16_t>{4, kSkippedCell, kSkippedCell, kSkippedCell}));
}

TEST(LevelFile, RefusedFilesSayWhy) {
    LevelBytes file;
    file.section[9] = Bytes().I16(0).I16(100).I16(0).I16(200);
    EXPECT_NE(Refusal(file).find("main grid size 100 by 0"), std::string::npos);
    file.section[9] = Bytes().I16(0).I16(-1).I16(0).I16(200);
    EXPECT_NE(Refusal(file).find("main grid"), std::string::npos);

    LevelBytes pictures;
    pictures.section[2] = Bytes().I16(257);
    EXPECT_NE(Refusal(pictures).find("too many tile pictures (257, at most 256)"), std::string::npos);
    pictures.section[2] = Bytes().I16(256).Zeros(512);
    EXPECT_EQ(ReadOk(pictures).tilePictures.items.size(), 256u);

    LevelBytes definitions;
    definitions.section[8] = Bytes().I16(256);
    EXPECT_NE(Refusal(definitions).find("too many tile definitions"), std::string::npos);
}

TEST(LevelFile, EveryTruncationIsRefusedWithoutReadingPastTheEnd) {
    LevelBytes file;
    file.section[2] = Bytes().I16(2).I16(3).I16(4);
    file.section[6] = Bytes().U8(1).I32(1).I32(2).U8(3).U8(4).I32(3).U8(1).U8(2).U8(3);
    file.section[9] = Bytes().I16(0).I16(2).I16(0).I16(0).U8(1).I16(0).U8(2).I16(0).U8(3).I16(0);
    std::vector<uint8_t> bytes = LevelBytes(file).Build();
    for (size_t size = 0; size < bytes.size(); ++size) {
        // A copy of exactly `size` bytes, so that the sanitizers see any overread.
        std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + long(size));
        LevelData level;
        std::string reason;
        EXPECT_FALSE(ReadLevel(prefix.data(), prefix.size(), level, reason)) << size;
        EXPECT_FALSE(reason.empty()) << size;
    }
    LevelData level;
    std::string reason;
    EXPECT_TRUE(ReadLevel(bytes.data(), bytes.size(), level, reason)) << reason;

    // Bytes after the last section are kept unless the reader drops them.
    bytes.insert(bytes.end(), {7, 8, 9});
    EXPECT_TRUE(ReadLevel(bytes.data(), bytes.size(), level, reason)) << reason;
    EXPECT_EQ(level.trailing, (std::vector<uint8_t>{7, 8, 9}));
    EXPECT_TRUE(ReadLevel(bytes.data(), bytes.size(), level, reason, Trailing::Drop)) << reason;
    EXPECT_TRUE(level.trailing.empty());
}

TEST(LevelFile, PictureFilesInLoadOrderUpToFiftyAnimatedTiles) {
    // Numbers get leading zeros up to four digits.
    EXPECT_EQ(PictureFileName(kTileBase, 1000), "tiles\\tile1000.png");
    EXPECT_EQ(PictureFileName(kTileBase, 12345), "tiles\\tile12345.png");
    LevelBytes file;
    file.section[2] = Bytes().I16(1).I16(7);
    file.section[3] = Bytes().U8(1).U8(12);
    file.section[11] = Bytes().U8(1).I32(0).I32(0).I16(0).I16(0).U8(18).U8(0).I16(8).I16(8).I16(0);
    Bytes animated = Bytes().I16(60);
    for (int i = 0; i < 60; ++i) animated.I16(100 + i);
    file.section[21] = animated;
    std::vector<std::string> files = PictureFiles(ReadOk(file));
    ASSERT_EQ(files.size(), 53u);
    EXPECT_EQ(files[0], "tiles\\tile0007.png");
    EXPECT_EQ(files[1], "tiles\\stair0012.png");
    EXPECT_EQ(files[2], "bg\\bg0018.png");
    EXPECT_EQ(files[3], "tiles\\tileani0100.png");
    EXPECT_EQ(files[52], "tiles\\tileani0149.png");
}
