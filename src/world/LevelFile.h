#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The binary level file as plain data. Every section is kept, also the ones
// the game reads past, so that a file can be written back byte for byte.
namespace LevelFile {

// Limits beyond which a file is refused.
constexpr int kMaxGridSize = 99;
constexpr int kMaxTilePictures = 256;
constexpr int kMaxTileDefinitions = 255;
// Limits beyond which loading reads past the entries without keeping them.
constexpr int kMaxStartPoints = 10;
constexpr int kMaxAnimatedTiles = 50;
constexpr int16_t kHeaderMark = 54;
// The largest file read as a level. Every table of the format full (the
// 16-bit counted tables at 32767 records, three grids of 100 by 100 literal
// cells) takes 4.1 MiB; the rest is room for named-marker texts and bytes
// after the last section. A larger file is refused without being read.
constexpr size_t kMaxLevelFileBytes = 6u << 20;
// A cell that the stream skipped, as opposed to a literal 0 to 255.
constexpr int16_t kSkippedCell = -1;

// A list with its count field as stored. A stored count of zero or below
// means no records; the value is kept to write the file back unchanged.
template <typename T>
struct Counted {
    int64_t stored = 0;
    std::vector<T> items;
};

struct NamedMarker {
    int32_t a = 0;
    int32_t b = 0;
    uint8_t c = 0;
    uint8_t d = 0;
    int32_t length = 0;  // as stored; negative counts as 0
    std::vector<uint8_t> bytes;
};

struct StartPoint {
    int32_t x = 0;  // tenths of a pixel: the middle of the hero's feet
    int32_t y = 0;
    uint8_t a = 0;
    uint8_t b = 0;
};

struct TileDefinition {
    int32_t picture = 0;
    uint8_t flag20 = 0;
    uint8_t flag40 = 0;
    int32_t unused = 0;
};

struct Background {
    int32_t x = 0;
    int32_t y = 0;
    int16_t horizontalDivisor = 0;
    int16_t verticalDivisor = 0;
    uint8_t picture = 0;
    uint8_t colorKeySelector = 0;
    int16_t frameWidth = 0;
    int16_t frameHeight = 0;
    int16_t unused = 0;
};

// A run-length coded grid: W + 1 columns by H + 1 rows, row by row.
struct CellGrid {
    std::vector<int16_t> headerUnused;  // the int16 fields before W (main 1, back 2)
    int16_t width = 0;                  // W
    int16_t height = 0;                 // H
    std::vector<int16_t> cells;         // (W + 1) * (H + 1), row by row; kSkippedCell or 0..255
    int16_t lastSkip = 0;               // the final skip count of the stream, kept as stored

    int Columns() const { return width + 1; }
    int Rows() const { return height + 1; }
    int16_t Cell(int column, int row) const { return cells[size_t(row) * size_t(Columns()) + size_t(column)]; }
};

// The field layout of a section the game reads past: a count field and
// records of int32 ('i'), int16 ('h') and u8 ('b') fields.
struct RawLayout {
    int section;
    char countType;  // 'h' int16, 'b' u8, 'q' four bytes of which the low 16 bits count
    const char* fields;
};
using RawRecord = std::vector<int32_t>;

// The tables read past, in file order: sections 12 to 14, 16 to 18, 22 to 24,
// 26 to 28.
const std::vector<RawLayout>& RawTableLayouts();
const RawLayout* FindRawLayout(int section);

struct LevelData {
    int16_t header[6] = {0, 0, 0, 0, 0, kHeaderMark};
    Counted<int16_t> tilePictures;
    Counted<uint8_t> stairPictures;
    int32_t boundsLeft = 0;  // camera bounds, in tenths
    int32_t boundsTop = 0;
    int32_t boundsRight = 0;
    int32_t boundsBottom = 0;
    int16_t section5[2] = {0, 0};
    Counted<NamedMarker> markers;
    Counted<StartPoint> startPoints;
    Counted<TileDefinition> tileDefinitions;
    CellGrid mainGrid;
    CellGrid middleGrid;
    Counted<Background> backgrounds;
    uint8_t section15[3] = {0, 0, 0};
    CellGrid backGrid;
    int16_t section20 = 0;
    Counted<int16_t> animatedTiles;
    int16_t section25[50] = {};
    // One entry per RawTableLayouts() entry, in the same order.
    std::vector<Counted<RawRecord>> rawTables;
    std::vector<uint8_t> trailing;  // bytes after the last section, unless dropped

    LevelData();
    Counted<RawRecord>& RawTable(int section);
    const Counted<RawRecord>& RawTable(int section) const;
};

// The count a stored count field stands for (0 for none).
int64_t CountOf(int64_t stored, char countType);
// The count field to write for n records: the stored one when it agrees.
int64_t CountFieldFor(int64_t stored, size_t n, char countType);

// Whether reading keeps the bytes after the last section: the tools that
// write a file back keep them; the game drops them, so that a file padded
// with junk does not take its size twice while it loads.
enum class Trailing { Keep, Drop };

// Reads a level file held in memory. False, with the reason, for a file the
// game refuses; `level` is then unspecified.
bool ReadLevel(const uint8_t* bytes, size_t size, LevelData& level, std::string& reason,
               Trailing trailing = Trailing::Keep);
// Reads a game file ("levels\blk101") from the data directory.
bool ReadLevelFile(const std::string& gamePath, LevelData& level, std::string& reason,
                   Trailing trailing = Trailing::Keep);
// The bytes of a level file; ReadLevel of them gives `level` back.
std::vector<uint8_t> WriteLevel(const LevelData& level);

// The file name of picture `number` of a list with the base name `base`
// ("tiles\tile", 7 gives "tiles\tile0007.png").
std::string PictureFileName(const char* base, int number);
// Every picture file that loading opens, in the order it opens them: tile,
// stair, background and (up to the fiftieth) animated tile pictures.
std::vector<std::string> PictureFiles(const LevelData& level);
extern const char* const kTileBase;
extern const char* const kStairBase;
extern const char* const kBackgroundBase;
extern const char* const kAnimatedTileBase;

}  // namespace LevelFile
