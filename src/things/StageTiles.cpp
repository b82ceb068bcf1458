#include "things/StageTiles.h"
#include "base/SharedConstants.h"
#include "world/Level.h"

bool InTile(const LevelNamespace::Level& level, const Vector3& point, bool ledges) {
    if (point.x < 0.0f || point.y < 0.0f) return false;
    const size_t column = size_t(point.x / float(kTileSize));
    const size_t row = size_t(point.y / float(kTileSize));
    if (column >= level.mainGrid.size() || row >= level.mainGrid[column].size()) return false;
    const int32_t v = level.mainGrid[column][row];
    if (v < 0 || size_t(v) >= level.tileDefinitions.size()) return false;
    const LevelNamespace::TileDefinition& tile = level.tileDefinitions[size_t(v)];
    return tile.flag40 != 0 || (ledges && tile.flag20 != 0);
}
