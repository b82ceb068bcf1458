#include "levelcheck/LevelCheck.h"
#include "base/SharedConstants.h"
#include "platform/Files.h"
#include "world/PlayRules.h"
#include "things/ThingPlacement.h"
#include <algorithm>
#include <cstdarg>
#include <cstdlib>
#include <cstdio>

namespace LevelCheck {

namespace {

// Exit gate pictures are numbered n09 to n14 in the pictures of stage n.
constexpr int kFirstGatePicture = 9;
constexpr int kLastGatePicture = 14;
// The hero is two cells tall: a way through needs two open cells above
// each other.
constexpr int kHeroCells = 2;
// A play stage wider than this that places things needs a lantern among
// them, or each lost life sends the hero back over all of it. (A stage
// that places none yet is not furnished: it says nothing.)
constexpr int kWidthWithoutLantern = 3 * kScreenWidth;
// A pit is a run of columns open for at least two cells above the bottom;
// a wider run is a hall the hero never jumps across.
constexpr int kPitDepth = 2;
constexpr int kWidestPit = 8;
// The part of a moving platform that must pass between walls: its top,
// where the hero stands.
constexpr int kPlatformThickness = 8;

std::string Line(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Line(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

// The main grid as the game keeps it: W + 1 columns, H rows, skipped cells 0.
class MainGrid {
public:
    explicit MainGrid(const LevelFile::LevelData& level) : level_(level) {}
    int Columns() const { return level_.mainGrid.width + 1; }
    int Rows() const { return level_.mainGrid.height; }
    bool Inside(int c, int r) const { return c >= 0 && c < Columns() && r >= 0 && r < Rows(); }
    int32_t Value(int c, int r) const {
        int16_t cell = level_.mainGrid.Cell(c, r);
        return cell == LevelFile::kSkippedCell ? 0 : cell;
    }
    const LevelFile::TileDefinition* Definition(int c, int r) const {
        if (!Inside(c, r)) return nullptr;
        size_t v = size_t(Value(c, r));
        return v < level_.tileDefinitions.items.size() ? &level_.tileDefinitions.items[v] : nullptr;
    }
    // Cells outside the grid are open: nothing stops the hero there.
    bool Solid(int c, int r) const {
        const LevelFile::TileDefinition* definition = Definition(c, r);
        return definition && definition->flag40 != 0;
    }
    // The row of the lowest cell the hero stands on in column c, -1 for none.
    int LowestFloor(int c) const {
        for (int r = Rows() - 1; r >= 0; --r)
            if (Floor(c, r)) return r;
        return -1;
    }
    bool Pit(int c) const { return Inside(c, 0) && Rows() - 1 - LowestFloor(c) >= kPitDepth; }
    // The top row of the ground that rises from the bottom of column c; Rows() for none.
    int GroundTop(int c) const {
        int r = Rows();
        while (r > 0 && Floor(c, r - 1)) --r;
        return r;
    }
    bool Floor(int c, int r) const {
        const LevelFile::TileDefinition* definition = Definition(c, r);
        return definition && (definition->flag40 != 0 || definition->flag20 != 0);
    }
    // Whether the hero fits standing with his feet at the bottom of cell (c, r).
    bool Passage(int c, int r) const {
        for (int k = 0; k < kHeroCells; ++k)
            if (Solid(c, r - k)) return false;
        return true;
    }

private:
    const LevelFile::LevelData& level_;
};

// The camera shows what the bounds allow: they should match the main grid,
// neither leaving part of it unseen nor showing what lies past it.
void CheckBounds(const LevelFile::LevelData& level, const MainGrid& grid, std::vector<std::string>& out) {
    struct Edge {
        const char* name;
        int32_t tenths, grid;
        bool low;  // left or top: a larger value is inside the grid
    };
    const Edge edges[] = {{"left", level.boundsLeft, 0, true},
                          {"top", level.boundsTop, 0, true},
                          {"right", level.boundsRight, kTileSize * grid.Columns(), false},
                          {"bottom", level.boundsBottom, kTileSize * grid.Rows(), false}};
    for (const Edge& edge : edges) {
        const int32_t pixels = edge.tenths / 10;
        if (pixels == edge.grid) continue;
        const bool inside = edge.low == (pixels > edge.grid);
        const char* what = inside ? "leaves part of the main grid out of view, its edge is at"
                                  : "reaches past the main grid's edge at";
        out.push_back(Line("bounds %s: %d px %s %d px", edge.name, pixels, what, edge.grid));
    }
}

void CheckStart(const LevelFile::LevelData& level, const MainGrid& grid, std::vector<std::string>& out) {
    if (level.startPoints.items.empty()) {
        out.push_back("start: none, the hero starts at (0, 0)");
        return;
    }
    const LevelFile::StartPoint& start = level.startPoints.items[0];
    const int x = start.x / 10, y = start.y / 10;
    const int exitX = kTileSize * (grid.Columns() - 1);
    if (x < 0 || x >= kTileSize * grid.Columns() || y < 0 || y > kTileSize * grid.Rows()) {
        out.push_back(Line("start: (%d, %d) px is outside the level (0 to %d, 0 to %d)", x, y,
                           kTileSize * grid.Columns(), kTileSize * grid.Rows()));
        return;
    }
    // The stage is cleared by walking over the exit line, never by starting on it.
    if (x >= exitX) {
        out.push_back(
            Line("start: (%d, %d) px is on or past the exit line at %d px: the hero must cross it to clear "
                 "the stage",
                 x, y, exitX));
        return;
    }
    const int c = x / kTileSize, feet = (y - 1) / kTileSize;
    for (int r = feet; r > feet - kHeroCells; --r)
        if (grid.Solid(c, r))
            out.push_back(Line("start: (%d, %d) px puts the hero inside solid cell main (%d, %d)", x, y, c, r));
}

// A cell the stream skipped is empty; a written one names a tile definition
// (main grid) or a tile picture (the others), of which there are `count`.
void CheckCells(const char* name, const LevelFile::CellGrid& stored, int columns, const char* names, size_t count,
                std::vector<std::string>& out) {
    for (int r = 0; r < stored.height; ++r)
        for (int c = 0; c < columns; ++c) {
            int16_t v = stored.Cell(c, r);
            if (v != LevelFile::kSkippedCell && size_t(v) >= count)
                out.push_back(Line("%s (%d, %d): %s %d does not exist (%zu defined)", name, c, r, names, v, count));
        }
}

void CheckDefinitions(const LevelFile::LevelData& level, std::vector<std::string>& out) {
    const size_t pictures = level.tilePictures.items.size();
    for (size_t i = 0; i < level.tileDefinitions.items.size(); ++i) {
        int32_t picture = level.tileDefinitions.items[i].picture;
        if (picture >= 0 && size_t(picture) >= pictures)
            out.push_back(
                Line("tile definition %zu: tile picture %d does not exist (%zu pictures)", i, picture, pictures));
    }
}

// The hero walks off the left end where column 0 leaves a passage over a floor.
void CheckLeftEdge(const MainGrid& grid, std::vector<std::string>& out) {
    for (int r = 0; r < grid.Rows(); ++r)
        if (grid.Passage(0, r) && grid.Floor(0, r + 1))
            out.push_back(Line("main (0, %d): no wall, the hero can walk off the left edge", r));
}

bool IsGatePicture(const LevelFile::LevelData& level, int32_t index) {
    const auto& numbers = level.tilePictures.items;
    if (index < 0 || size_t(index) >= numbers.size()) return false;
    const int within = numbers[size_t(index)] % 100;
    return within >= kFirstGatePicture && within <= kLastGatePicture;
}

// The stage is cleared when the hero passes the left edge of the last
// column, under the exit gate that straddles it.
void CheckExit(const LevelFile::LevelData& level, const MainGrid& grid, std::vector<std::string>& out) {
    if (grid.Rows() < 1) {
        out.push_back("main: no cells, the stage has no exit");
        return;
    }
    const int last = grid.Columns() - 1;
    bool gate = false, passage = false;
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = last - 1; c <= last; ++c) {
            const LevelFile::TileDefinition* definition = grid.Definition(c, r);
            gate = gate || (definition && IsGatePicture(level, definition->picture));
        }
        passage = passage || (grid.Passage(last - 1, r) && grid.Passage(last, r));
    }
    if (!passage)
        out.push_back(
            Line("main columns %d and %d: no opening two cells high, no way out on the right", last - 1, last));
    if (!gate)
        out.push_back(
            Line("main columns %d and %d: no exit gate (tile pictures n09 to n14) shows the way out", last - 1, last));
}

// The game plays a field it cannot read at its default, and reads past a
// second play marker. A stage without a play marker says nothing.
void CheckPlay(const LevelFile::LevelData& level, std::vector<std::string>& out) {
    std::vector<std::string> problems;
    FindPlayRules(level, problems);
    for (const std::string& problem : problems) out.push_back("play: " + problem);
}

// The cell holding a pixel, also left of or above the grid.
int CellOf(int32_t pixels) { return pixels >= 0 ? pixels / kTileSize : -1 - (-1 - pixels) / kTileSize; }

// A box in pixels, right and bottom edges outside it.
struct Box {
    int32_t left, top, right, bottom;
};

// The first solid cell a box covers, false for none.
bool SolidCellIn(const MainGrid& grid, const Box& box, int& column, int& row) {
    for (row = CellOf(box.top); row <= CellOf(box.bottom - 1); ++row)
        for (column = CellOf(box.left); column <= CellOf(box.right - 1); ++column)
            if (grid.Solid(column, row)) return true;
    return false;
}

// Where a thing stands: a row of tiles centred on x for the kinds with a
// width (spikes, platforms, crumbles), else the bottom-middle point.
Box FootOf(const PlacedThing& thing, int32_t height) {
    const int32_t half = thing.Value("width") * kTileSize / 2;  // 0 for kinds without a width
    return {thing.X() - half, thing.Y() - height, thing.X() + std::max(half, 1), thing.Y()};
}

std::string ThingName(const PlacedThing& thing) {
    return Line("things: the %s marker %zu", thing.kind->name, thing.index.value_or(0) + 1);
}

// A platform runs from its place to (x + dx, y + dy) and back: every pixel
// of the way, its top must stay clear of walls.
void CheckPath(const MainGrid& grid, const PlacedThing& platform, std::vector<std::string>& out) {
    const int32_t dx = platform.Value("dx"), dy = platform.Value("dy");
    const int32_t steps = std::max(std::abs(dx), std::abs(dy));
    const Box start = FootOf(platform, kPlatformThickness);
    for (int32_t step = 0; step <= steps; ++step) {
        const int32_t ox = steps ? dx * step / steps : 0, oy = steps ? dy * step / steps : 0;
        int c = 0, r = 0;
        if (!SolidCellIn(grid, {start.left + ox, start.top + oy, start.right + ox, start.bottom + oy}, c, r)) continue;
        out.push_back(ThingName(platform) + Line("'s path to (%d, %d) px crosses solid cell main (%d, %d)",
                                                 platform.X() + dx, platform.Y() + dy, c, r));
        return;
    }
}

// The game plays a thing's unreadable field at its default and leaves out a
// marker of an unknown kind; a thing off the stage or in a wall never
// meets the hero as the stage maker meant.
void CheckThings(const LevelFile::LevelData& level, const MainGrid& grid, std::vector<std::string>& out) {
    std::vector<std::string> problems;
    const std::vector<PlacedThing> things = FindThings(level, problems);
    for (const std::string& problem : problems) out.push_back("things: " + problem);
    const int width = kTileSize * grid.Columns(), height = kTileSize * grid.Rows();
    bool lantern = false;
    for (const PlacedThing& thing : things) {
        lantern = lantern || thing.kind->name == std::string("lantern");
        const std::string name = ThingName(thing) + Line(" at (%d, %d) px", thing.X(), thing.Y());
        int c = 0, r = 0;
        if (thing.X() < 0 || thing.X() > width || thing.Y() < 0 || thing.Y() > height)
            out.push_back(name + Line(" is outside the stage (0 to %d, 0 to %d)", width, height));
        else if (SolidCellIn(grid, FootOf(thing, 1), c, r))
            out.push_back(name + Line(" stands in solid cell main (%d, %d)", c, r));
        else if (thing.kind->name == std::string("platform")) CheckPath(grid, thing, out);
    }
    std::vector<std::string> ignored;
    if (!lantern && width > kWidthWithoutLantern && FindPlayRules(level, ignored))
        out.push_back(Line("things: no lantern in a play stage %d px wide: each lost life starts it over", width));
}

// Below the ground at a pit's sides a painted back or middle cell looks
// like a floor to land on: a play stage's pits show nothing there.
void CheckPitColumn(const LevelFile::LevelData& level, const MainGrid& grid, int c, int rim,
                    std::vector<std::string>& out) {
    for (const auto& [name, cells] : {std::pair("middle", &level.middleGrid), std::pair("back", &level.backGrid)})
        for (int r = std::max(rim, grid.LowestFloor(c) + 1); r < std::min(grid.Rows(), cells->Rows()); ++r)
            if (c < cells->Columns() && cells->Cell(c, r) != LevelFile::kSkippedCell) {
                out.push_back(Line("%s (%d, %d): painted at the bottom of a pit, it looks like a floor", name, c, r));
                return;
            }
}

void CheckPits(const LevelFile::LevelData& level, const MainGrid& grid, std::vector<std::string>& out) {
    std::vector<std::string> ignored;
    if (!FindPlayRules(level, ignored)) return;
    for (int first = 0; first < grid.Columns(); ++first) {
        if (!grid.Pit(first)) continue;
        int last = first;
        while (grid.Pit(last + 1)) ++last;
        const int rim = std::min(first > 0 ? grid.GroundTop(first - 1) : grid.Rows(), grid.GroundTop(last + 1));
        if (last - first < kWidestPit)
            for (int c = first; c <= last; ++c) CheckPitColumn(level, grid, c, rim, out);
        first = last;
    }
}

}  // namespace

std::vector<std::string> Warnings(const LevelFile::LevelData& level) {
    std::vector<std::string> out;
    const MainGrid grid(level);
    CheckBounds(level, grid, out);
    CheckStart(level, grid, out);
    CheckDefinitions(level, out);
    const size_t pictures = level.tilePictures.items.size();
    CheckCells("main", level.mainGrid, grid.Columns(), "tile definition", level.tileDefinitions.items.size(), out);
    CheckCells("middle", level.middleGrid, level.middleGrid.width, "tile picture", pictures, out);
    CheckCells("back", level.backGrid, level.backGrid.width, "tile picture", pictures, out);
    CheckLeftEdge(grid, out);
    CheckExit(level, grid, out);
    CheckPlay(level, out);
    CheckThings(level, grid, out);
    CheckPits(level, grid, out);
    return out;
}

std::vector<std::string> MissingPictures(const LevelFile::LevelData& level, const std::string& dataDir) {
    std::vector<std::string> missing;
    for (const std::string& picture : LevelFile::PictureFiles(level))
        if (!FileExists(dataDir + "/" + HostPath(picture))) missing.push_back(picture);
    return missing;
}

}  // namespace LevelCheck
