#include "world/Level.h"
#include "core/ReferencePaths.h"
#include "base/SharedConstants.h"
#include "world/Camera.h"
#include <algorithm>
#include <cmath>

namespace LevelNamespace {

namespace {
constexpr int64_t kFar = int64_t(1) << 40;
// Beyond this, positions are clamped or not culled rather than overflowing.
constexpr float kCameraLimit = 1.0e9f;
const Color kOpaqueWhite(0xFFFFFFFFu);

using Area = Level::ScreenArea;

constexpr Area kScreen{0, 0, kScreenWidth, kScreenHeight};
constexpr Area kEverywhere{-kFar, -kFar, kFar, kFar};

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// The camera position as the draw uses it: truncated toward zero.
int64_t TruncateCamera(float value) {
    if (std::isnan(value)) return 0;
    return int64_t(std::clamp(value, -kCameraLimit, kCameraLimit));
}

// Where a sprite's frame can land relative to the point it is drawn at, with a
// pixel of slack for rounding of the offsets.
Area ReachOf(const Sprite& sprite) {
    float width = float(sprite.frameWidth), height = float(sprite.frameHeight);
    float left = sprite.xOffset + std::min(0.0f, width), right = sprite.xOffset + std::max(0.0f, width);
    float top = sprite.yOffset + std::min(0.0f, height), bottom = sprite.yOffset + std::max(0.0f, height);
    for (float edge : {left, right, top, bottom})
        if (!(std::fabs(edge) < kCameraLimit)) return kEverywhere;  // also NaN
    return {int64_t(std::floor(left)) - 1, int64_t(std::floor(top)) - 1, int64_t(std::ceil(right)) + 1,
            int64_t(std::ceil(bottom)) + 1};
}

Area ReachOfAll(const std::vector<Sprite>& sprites) {
    Area reach{0, 0, 0, 0};
    for (const Sprite& sprite : sprites) {
        Area one = ReachOf(sprite);
        reach = {std::min(reach.left, one.left), std::min(reach.top, one.top), std::max(reach.right, one.right),
                 std::max(reach.bottom, one.bottom)};
    }
    return reach;
}

bool Reaches(int64_t x, int64_t y, const Area& reach, const Area& visible) {
    return x + reach.right > visible.left && x + reach.left < visible.right && y + reach.bottom > visible.top &&
           y + reach.top < visible.bottom;
}

void DrawFrameZero(const Sprite& sprite, int64_t x, int64_t y) {
    sprite.Draw(int32_t(x), int32_t(y), 0, 0, 1.0f, 0, kOpaqueWhite);
}

// The first and last cell index along one axis whose pictures can reach the
// visible span, clamped to the cells that exist.
void CellRange(int64_t camera, int64_t reachLow, int64_t reachHigh, int64_t visibleLow, int64_t visibleHigh,
               int64_t count, int64_t& first, int64_t& last) {
    first = std::max<int64_t>(0, FloorDiv(visibleLow + camera - reachHigh, kTileSize) + 1);
    last = std::min<int64_t>(count - 1, FloorDiv(visibleHigh + camera - reachLow - 1, kTileSize));
}

struct GridView {
    int64_t cx, cy;
    Area reach;
    Area visible;
};

// Draws the cells column by column, each column from row 0, skipping cells
// whose picture cannot reach the visible area. pictureOf gives the picture
// of a cell value or null.
template <typename PictureOf>
void DrawGrid(const Grid& grid, const GridView& view, PictureOf pictureOf) {
    int64_t firstColumn, lastColumn;
    CellRange(view.cx, view.reach.left, view.reach.right, view.visible.left, view.visible.right, int64_t(grid.size()),
              firstColumn, lastColumn);
    for (int64_t c = firstColumn; c <= lastColumn; ++c) {
        const std::vector<int32_t>& column = grid[size_t(c)];
        int64_t firstRow, lastRow;
        CellRange(view.cy, view.reach.top, view.reach.bottom, view.visible.top, view.visible.bottom,
                  int64_t(column.size()), firstRow, lastRow);
        for (int64_t r = firstRow; r <= lastRow; ++r) {
            if (const Sprite* picture = pictureOf(column[size_t(r)]))
                DrawFrameZero(*picture, kTileSize * c - view.cx, kTileSize * r - view.cy);
        }
    }
}

// A repeating layer is drawn from its scrolled x rightwards, one copy per
// repeat step, until a copy starts at or beyond the screen's right edge;
// copies entirely left of the visible area are stepped over in one go. Even
// when everything is drawn, the copies left of the screen are stepped over:
// nobody can see them, and a layer far to the left with a small step has
// billions.
void DrawRepeatingLayer(const BackgroundLayer& layer, int64_t bx, int64_t by, const Area& visible) {
    Area reach = ReachOf(layer.picture);
    int64_t step = layer.repeatStep;
    int64_t left = std::max<int64_t>(visible.left, kScreen.left);
    int64_t skipped = 0;
    if (bx + reach.right <= left) skipped = FloorDiv(left - reach.right - bx, step) + 1;
    bx += skipped * step;
    for (bool first = skipped == 0; first || bx < kScreenWidth; first = false, bx += step)
        if (Reaches(bx, by, reach, visible)) DrawFrameZero(layer.picture, bx, by);
}

// A layer with no sideways scroll is drawn once; so is a repeating layer
// whose repeat step is 0 or negative, which would otherwise never reach the
// right edge.
void DrawBackground(const BackgroundLayer& layer, int64_t cx, int64_t cy, const Area& visible) {
    int64_t bx = layer.x, by = layer.y;
    if (layer.horizontalDivisor != 0) bx = layer.x - cx / layer.horizontalDivisor;
    if (layer.verticalDivisor != 0) by = layer.y - cy / layer.verticalDivisor;
    if (layer.horizontalDivisor != 0 && layer.repeatStep > 0) {
        DrawRepeatingLayer(layer, bx, by, visible);
        return;
    }
    if (Reaches(bx, by, ReachOf(layer.picture), visible)) DrawFrameZero(layer.picture, bx, by);
}
}

void Level::Update(float) {}

void Level::Draw() { DrawWithin(ReferencePaths() ? kEverywhere : kScreen); }

void Level::DrawEveryCell() { DrawWithin(kEverywhere); }

void Level::DrawWithin(const Area& visible) {
    int64_t cx = TruncateCamera(TheCamera().X()), cy = TruncateCamera(TheCamera().Y());
    for (const BackgroundLayer& layer : backgrounds) DrawBackground(layer, cx, cy, visible);

    GridView view{cx, cy, ReachOfAll(tilePictures), visible};
    auto tilePicture = [this](int32_t v) -> const Sprite* {
        return v >= 0 && size_t(v) < tilePictures.size() ? &tilePictures[size_t(v)] : nullptr;
    };
    DrawGrid(backGrid, view, tilePicture);
    DrawGrid(middleGrid, view, tilePicture);
    DrawGrid(mainGrid, view, [this, &tilePicture](int32_t v) -> const Sprite* {
        if (v < 0 || size_t(v) >= tileDefinitions.size()) return nullptr;
        return tilePicture(tileDefinitions[size_t(v)].picture);
    });
}

float Level::MainGridBottom() const {
    return mainGrid.empty() ? 0.0f : float(kTileSize * int32_t(mainGrid.front().size()));
}

std::optional<float> Level::ExitX() const {
    if (mainGrid.empty() || mainGrid.front().empty()) return std::nullopt;
    return float(kTileSize * int32_t(mainGrid.size() - 1));
}

bool Level::Contains(const Vector3& point) const {
    std::optional<float> exit = ExitX();
    return exit && point.x >= 0.0f && point.x < *exit && point.y >= 0.0f && point.y <= MainGridBottom();
}

bool Level::InWall(const Vector3& point) const {
    const float right = float(kTileSize * int32_t(mainGrid.size()));
    if (!(point.x >= 0.0f && point.x < right && point.y >= 0.0f && point.y < MainGridBottom())) return false;
    const int32_t v = mainGrid[size_t(point.x / float(kTileSize))][size_t(point.y / float(kTileSize))];
    return v >= 0 && size_t(v) < tileDefinitions.size() && tileDefinitions[size_t(v)].flag40 != 0;
}

void Level::AddTileRectangles() {
    for (size_t c = 0; c < mainGrid.size(); ++c) {
        for (size_t r = 0; r < mainGrid[c].size(); ++r) {
            int32_t v = mainGrid[c][r];
            if (v < 0 || size_t(v) >= tileDefinitions.size()) continue;
            const TileDefinition& definition = tileDefinitions[size_t(v)];
            Vector3 corner(float(kTileSize * int32_t(c)), float(kTileSize * int32_t(r)), 0.0f);
            if (definition.flag40 != 0) AddTileRectangle(corner, kWallCategory);
            if (definition.flag20 != 0) AddTileRectangle(corner, kLedgeCategory);
        }
    }
}

void Level::AddTileRectangle(const Vector3& corner, uint32_t category) {
    Collision::Rectangle& rectangle = rectangles.emplace_back(0.0f, 0.0f, 0.0f, 0.0f);
    rectangle.SetPosition(corner);
    rectangle.SetSize(Vector3(float(kTileSize), float(kTileSize), 0.0f));
    rectangle.category = category;
    rectangle.mask = 0;
}

}  // namespace LevelNamespace
