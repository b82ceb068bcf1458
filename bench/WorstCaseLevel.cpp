#include "WorstCaseLevel.h"
#include "base/SharedConstants.h"
#include "levelsource/LevelSource.h"
#include "platform/Files.h"
#include "platform/PngWrite.h"
#include "world/LevelFile.h"
#include <cstdio>
#include <sstream>

const char* const kWorstCaseLevel = "worst";

namespace {
constexpr int kStoredCells = 100;  // a grid's W and H are at most 99
constexpr int kBackgroundLayers = 8;
constexpr int kFirstTilePicture = 9900;
constexpr int kFirstBackgroundPicture = 240;
constexpr int kRepeatWidth = 256;

std::string FullGrid(const char* which, char cell, int value) {
    std::ostringstream grid;
    grid << "grid " << which << ' ' << kStoredCells - 1 << ' ' << kStoredCells - 1 << "\nlegend " << cell << ' '
         << value << '\n';
    for (int row = 0; row < kStoredCells; ++row) grid << '|' << std::string(kStoredCells, cell) << '\n';
    return grid.str() + "end\n";
}

// A picture with a pattern of its own per seed; black pixels (the colour key
// of the backgrounds) leave holes in the upper rows of the background
// layers, as skies and hills do.
std::vector<unsigned char> Pattern(int width, int height, int seed, bool holes) {
    std::vector<unsigned char> rgba;
    rgba.reserve(size_t(width * height * 4));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            bool hole = holes && y < height / 2 && ((x / 16 + y / 16 + seed) % 3 == 0);
            uint8_t r = hole ? 0 : uint8_t(40 + (x * 3 + seed * 37) % 200);
            uint8_t g = hole ? 0 : uint8_t(40 + (y * 5 + seed * 23) % 200);
            uint8_t b = hole ? 0 : uint8_t(60 + seed * 20);
            rgba.insert(rgba.end(), {r, g, b, 255});
        }
    return rgba;
}

bool WritePicture(const std::string& path, int width, int height, int seed, bool holes, std::string& error) {
    return WritePngRgba(path, width, height, Pattern(width, height, seed, holes), error);
}

std::string PicturePath(const std::string& dataDir, const char* base, int number) {
    return dataDir + "/" + HostPath(LevelFile::PictureFileName(base, number));
}
}

std::string WorstCaseSource() {
    std::ostringstream source;
    source << "# The largest level the format allows, written by duskhold-gamebench\n";
    source << "tiles " << kFirstTilePicture << ' ' << kFirstTilePicture + 1 << ' ' << kFirstTilePicture + 2 << '\n';
    int right = kStoredCells * kTileSize * 10, bottom = (kStoredCells - 1) * kTileSize * 10;
    source << "bounds 0 0 " << right << ' ' << bottom << "\nstart " << right / 2 << ' ' << bottom / 2 << '\n';
    source << "tile 0 1 1\n";
    // The first layer stands still, as a sky does; the others repeat to the
    // right and scroll, each at its own pace.
    source << "background 0 0 0 0 " << kFirstBackgroundPicture << " 0 " << kScreenWidth << ' ' << kScreenHeight << '\n';
    for (int i = 1; i < kBackgroundLayers; ++i)
        source << "background 0 0 " << i << " 0 " << kFirstBackgroundPicture + i << " 0 " << kRepeatWidth << ' '
               << kScreenHeight << '\n';
    return source.str() + FullGrid("main", '#', 0) + FullGrid("middle", 'm', 1) + FullGrid("back", 'b', 2);
}

bool WriteWorstCaseLevel(const std::string& dataDir, std::string& error) {
    LevelFile::LevelData level;
    if (!LevelSource::Compile(WorstCaseSource(), level, error)) return false;
    std::vector<uint8_t> bytes = LevelFile::WriteLevel(level);
    std::string levelPath = dataDir + "/levels/" + kWorstCaseLevel;
    FILE* out = fopen(levelPath.c_str(), "wb");
    bool written = out && fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (out && fclose(out) != 0) written = false;
    if (!written) {
        error = "cannot write " + levelPath;
        return false;
    }
    for (int i = 0; i < 3; ++i)
        if (!WritePicture(PicturePath(dataDir, LevelFile::kTileBase, kFirstTilePicture + i), kTileSize, kTileSize, i,
                          false, error))
            return false;
    for (int i = 0; i < kBackgroundLayers; ++i) {
        int width = i == 0 ? kScreenWidth : kRepeatWidth;
        if (!WritePicture(PicturePath(dataDir, LevelFile::kBackgroundBase, kFirstBackgroundPicture + i), width,
                          kScreenHeight, i, i > 0, error))
            return false;
    }
    return true;
}
