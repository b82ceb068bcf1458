#include "textlevel/TextLevel.h"
#include "base/SharedConstants.h"
#include "world/Camera.h"
#include <algorithm>

namespace LevelNamespace {

namespace {

struct TextTile {
    char symbol;
    TileDefinition definition;  // picture, unused, flag 0x20, flag 0x40
};

// Definition 0 is the empty cell.
const TextTile kTextTiles[] = {
    {'.', {-1, 0, 0, 0}}, {'#', {0, 0, 0, 1}}, {'=', {1, 0, 1, 0}}, {'%', {2, 0, 1, 1}}, {'*', {-1, 0, 0, 1}},
};

int32_t DefinitionOf(char symbol) {
    for (size_t i = 0; i < std::size(kTextTiles); ++i)
        if (kTextTiles[i].symbol == symbol) return int32_t(i);
    return 0;
}

size_t WidestRow(const std::vector<std::string>& rows) {
    size_t widest = 0;
    for (const std::string& row : rows) widest = std::max(widest, row.size());
    return widest;
}
}

void BuildTextLevel(Level& level, const std::vector<std::string>& rows) {
    for (const TextTile& tile : kTextTiles) level.tileDefinitions.push_back(tile.definition);
    size_t columns = WidestRow(rows);
    level.mainGrid.assign(columns, std::vector<int32_t>(rows.size(), 0));
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c) level.mainGrid[c][r] = DefinitionOf(rows[r][c]);
    level.AddTileRectangles();
    TheCamera().SetBounds(Vector3(0.0f, 0.0f, 0.0f),
                          Vector3(float(kTileSize * columns), float(kTileSize * rows.size()), 0.0f));
}

Vector3 TextLevelStart(const std::vector<std::string>& rows) {
    for (size_t r = 0; r < rows.size(); ++r) {
        size_t c = rows[r].find('P');
        if (c != std::string::npos)
            return Vector3(float(kTileSize * c + kTileSize / 2), float(kTileSize * (r + 1)), 0.0f);
    }
    return Vector3();
}

}  // namespace LevelNamespace
