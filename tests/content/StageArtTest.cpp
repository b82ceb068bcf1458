// The stage pictures: sizes the level draws them at, and colour keys that
// take out only what should be see-through.
#include "platform/Files.h"
#include "platform/PngDecode.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include "world/LevelFile.h"
#include <gtest/gtest.h>

namespace {

// How many pixels of the picture are exactly `color`; -1 if it cannot be read.
long CountColor(const std::string& gamePath, uint32_t expectWidth, uint32_t expectHeight, uint32_t color) {
    std::string bytes = ReadTextFile(BuiltDataDir() + "/" + HostPath(gamePath));
    DecodedImage image;
    if (DecodePng(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 4096, image) != PngError::None)
        return -1;
    EXPECT_EQ(image.width, expectWidth) << gamePath;
    EXPECT_EQ(image.height, expectHeight) << gamePath;
    long count = 0;
    for (size_t i = 0; i + 3 < image.rgba.size(); i += 4) {
        uint32_t pixel = uint32_t(image.rgba[i]) | uint32_t(image.rgba[i + 1]) << 8 |
                         uint32_t(image.rgba[i + 2]) << 16 | uint32_t(image.rgba[i + 3]) << 24;
        count += pixel == color;
    }
    return count;
}

std::string Tile(int number) { return LevelFile::PictureFileName(LevelFile::kTileBase, number); }
std::string Background(int number) { return LevelFile::PictureFileName(LevelFile::kBackgroundBase, number); }

const uint32_t kClear = 0u;  // the tiles' white key, written fully transparent
const uint32_t kBlack = 0xFF000000u;
const uint32_t kYellow = 0xFF00FFFFu;

}  // namespace

TEST(StageArt, SolidTilesAndSkiesHaveNoHolesAndDecorationsAndLayersAreCutOut) {
    for (int stage = 1; stage <= 10; ++stage) {
        SCOPED_TRACE("stage " + std::to_string(stage));
        // Ground top, ground, wall, back wall and crate fill their cell.
        for (int k : {0, 1, 2, 5, 8}) EXPECT_EQ(CountColor(Tile(stage * 100 + k), 24, 24, kClear), 0) << k;
        // The ledge, decoration, pillar, lamp and the gate's top left piece stand on the key.
        for (int k : {3, 4, 6, 7, 9}) EXPECT_GT(CountColor(Tile(stage * 100 + k), 24, 24, kClear), 0) << k;
        // The sky is opaque; the two layers in front of it stand on yellow.
        EXPECT_EQ(CountColor(Background(stage * 10), 320, 240, kBlack), 0);
        for (int layer : {1, 2}) {
            long keyed = CountColor(Background(stage * 10 + layer), 256, 240, kYellow);
            EXPECT_GT(keyed, 0) << "layer " << layer;
            EXPECT_LT(keyed, 256 * 240) << "layer " << layer;
        }
    }
}
