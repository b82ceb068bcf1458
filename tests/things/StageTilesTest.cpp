#include "base/SharedConstants.h"
#include "things/StageTiles.h"
#include "world/Level.h"
#include <gtest/gtest.h>

// A point is in the wall or, when ledges count, the ledge of its cell of the
// main grid; off the grid, or in a cell whose number names no tile, it is in
// none. The tiles here once were three walls and are now two tiles, as after
// a reload: the third wall's bytes are still in the list's room, not in it.
TEST(StageTiles, APointIsInTheTileOfItsCellAndInNoneOffTheGridOrPastTheTiles) {
    LevelNamespace::Level level;
    level.tileDefinitions.assign(3, LevelNamespace::TileDefinition{0, 0, 0, 1});
    level.tileDefinitions.resize(2);
    level.tileDefinitions[1].flag40 = 0;
    level.tileDefinitions[1].flag20 = 1;
    level.mainGrid = {{0, 1, 2, -1}};
    auto in = [&](float y, bool ledges) { return InTile(level, Vector3(5.0f, y, 0.0f), ledges); };
    const float cell = float(kTileSize);
    EXPECT_TRUE(in(0.0f, false));
    EXPECT_FALSE(in(cell, false));
    EXPECT_TRUE(in(cell, true));
    for (const float y : {2 * cell, 3 * cell, 4 * cell, -1.0f}) EXPECT_FALSE(in(y, true)) << y;
    EXPECT_FALSE(InTile(level, Vector3(cell + 1.0f, 0.0f, 0.0f), true));
    EXPECT_FALSE(InTile(level, Vector3(-1.0f, 0.0f, 0.0f), true));
}
