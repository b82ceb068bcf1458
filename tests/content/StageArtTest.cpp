// The stage pictures: sizes the level draws them at, and colour keys that
// take out only what should be see-through.
#include "platform/Files.h"
#include "platform/PngDecode.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include "world/LevelFile.h"
#include <gtest/gtest.h>
#include <numeric>

namespace {

const uint32_t kClear = 0u;  // the tiles' white key, written fully transparent
const uint32_t kBlack = 0xFF000000u;
const uint32_t kYellow = 0xFF00FFFFu;

DecodedImage Load(const std::string& gamePath) {
    std::string bytes = ReadTextFile(BuiltDataDir() + "/" + HostPath(gamePath));
    DecodedImage image;
    if (DecodePng(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 4096, image) != PngError::None)
        image.width = image.height = 0;
    return image;
}

uint32_t Pixel(const DecodedImage& image, uint32_t x, uint32_t y) {
    size_t i = (size_t(y) * image.width + x) * 4;
    return uint32_t(image.rgba[i]) | uint32_t(image.rgba[i + 1]) << 8 | uint32_t(image.rgba[i + 2]) << 16 |
           uint32_t(image.rgba[i + 3]) << 24;
}

// How many pixels of the picture are exactly `color`; -1 if it cannot be read.
long CountColor(const std::string& gamePath, uint32_t expectWidth, uint32_t expectHeight, uint32_t color) {
    DecodedImage image = Load(gamePath);
    if (image.width == 0) return -1;
    EXPECT_EQ(image.width, expectWidth) << gamePath;
    EXPECT_EQ(image.height, expectHeight) << gamePath;
    long count = 0;
    for (uint32_t y = 0; y < image.height; ++y)
        for (uint32_t x = 0; x < image.width; ++x) count += Pixel(image, x, y) == color;
    return count;
}

// Rows where neighbouring columns differ in being drawn or see-through:
// across the repeat (the last column, then the first) and, for comparison,
// on average inside the picture. A shape cut at the repeat is a seam that
// changes far more rows than a dither or an outline does.
std::pair<int, double> ChangedRows(const std::string& gamePath) {
    DecodedImage image = Load(gamePath);
    std::vector<int> changed(image.width, 0);
    for (uint32_t y = 0; y < image.height; ++y)
        for (uint32_t x = 0; x < image.width; ++x)
            changed[x] += (Pixel(image, x, y) == kYellow) != (Pixel(image, (x + 1) % image.width, y) == kYellow);
    if (changed.empty()) return {0, 0.0};
    int acrossRepeat = changed.back();
    return {acrossRepeat,
            double(std::accumulate(changed.begin(), changed.end(), 0) - acrossRepeat) / double(changed.size() - 1)};
}

std::string Tile(int number) { return LevelFile::PictureFileName(LevelFile::kTileBase, number); }
std::string Background(int number) { return LevelFile::PictureFileName(LevelFile::kBackgroundBase, number); }

}  // namespace

TEST(StageArt, SolidTilesAndSkiesHaveNoHolesAndLayersAreCutOutAndWrapWithoutSeam) {
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
        for (int layer : {1, 2, 3}) {
            auto [acrossRepeat, inside] = ChangedRows(Background(stage * 10 + layer));
            EXPECT_LE(acrossRepeat, 2 * inside + 4) << "layer " << layer << " has a seam";
        }
    }
    // The flooded catacombs have water: a surface with clear rows above it, a body that fills its cell.
    EXPECT_GT(CountColor(Tile(515), 24, 24, kClear), 0);
    EXPECT_EQ(CountColor(Tile(516), 24, 24, kClear), 0);
}
