#pragma once
#include "collision/Collision.h"
#include "core/Entity.h"
#include "platform/Sprite.h"
#include <array>
#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <vector>

namespace LevelFile {
struct LevelData;
}

namespace LevelNamespace {

struct TileDefinition {
    int32_t picture = -1;  // index into the tile pictures; negative draws nothing
    int32_t unused = 0;    // carried over from the level file, never read
    int32_t flag20 = 0;    // non-zero: the cell collides as category 0x20
    int32_t flag40 = 0;    // non-zero: the cell collides as category 0x40
};

struct BackgroundLayer {
    int32_t x = 0;
    int32_t y = 0;
    int32_t horizontalDivisor = 0;  // 0: drawn once, no sideways scroll
    int32_t verticalDivisor = 0;    // 0: no vertical scroll
    int32_t repeatStep = 0;
    Sprite picture;
};

using Grid = std::vector<std::vector<int32_t>>;  // [column][row]

// One stage: background layers and three grids of 24 by 24 tiles drawn
// through the camera, and the collision rectangles of the main grid.
class Level : public Entity {
public:
    Level() = default;
    ~Level() override = default;
    void Update(float step) override;
    void Draw() override;
    DrawLayer Layer() const override { return DrawLayer::Ground; }
    // Reads levels\<name> and builds the level, its rectangles and the hero.
    // The level must already be in an entity manager.
    void Load(const char* levelName);
    // Builds an empty level from a file already read, as Load does.
    void Build(const LevelFile::LevelData& data);
    // Whether a point lies on the main grid, left of the exit line.
    bool Contains(const Vector3& point) const;
    // Whether a point lies in a main-grid cell that collides as a wall.
    bool InWall(const Vector3& point) const;
    // Draws every cell and every background copy, visible or not (but for
    // repeated copies wholly left of the screen): the plain reference the
    // culled Draw is checked and measured against.
    void DrawEveryCell();
    // One rectangle per collision flag of every main-grid cell, column by
    // column: the category 0x40 one first, then the category 0x20 one.
    void AddTileRectangles();
    // The bottom edge of the main grid in level pixels (0 when it is empty).
    float MainGridBottom() const;
    // The line the hero passes to clear the stage: the right edge of the main
    // grid as stored (its last kept column lies beyond it); none for a main
    // grid without cells.
    std::optional<float> ExitX() const;

    std::vector<Sprite> tilePictures;
    std::vector<BackgroundLayer> backgrounds;
    Grid mainGrid;
    Grid backGrid;
    Grid middleGrid;
    std::vector<TileDefinition> tileDefinitions;
    std::list<Collision::Rectangle> rectangles;

    // An area in screen pixels, right and bottom edges excluded.
    struct ScreenArea {
        int64_t left, top, right, bottom;
    };

private:
    // Draws what can reach the area, in the same order as drawing everything.
    void DrawWithin(const ScreenArea& visible);
    void AddTileRectangle(const Vector3& corner, uint32_t category);
};

// The game path of a level ("levels\blk101"), cut to the longest path the
// game reads.
std::string LevelGamePath(const char* levelName);
// Reads levels\<name>, the one way the game reads a level; false for a file
// the game refuses, after a status line that says why and ends with
// `whatFollows`.
bool ReadLevelOfName(const char* levelName, LevelFile::LevelData& data, const char* whatFollows = "");

// The process-wide table of animated tile pictures: loading fills entries 0
// to count - 1 and nothing draws them.
constexpr int kAnimatedTilePictures = 50;
std::array<Sprite, kAnimatedTilePictures>& AnimatedTilePictures();
// Empties every entry, releasing its picture: loading does it before it
// fills the table, the stage when it is left.
void ReleaseAnimatedTilePictures();

}  // namespace LevelNamespace
