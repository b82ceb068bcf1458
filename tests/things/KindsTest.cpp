// Every kind of the one kind table, as a stage maker and the game meet it.
#include "core/EntityManager.h"
#include "levelsource/LevelSource.h"
#include "player/Player.h"
#include "support/GlWindow.h"
#include "things/StageRecord.h"
#include "things/Thing.h"
#include "tiledmap/LevelMap.h"
#include "world/Level.h"
#include <gtest/gtest.h>

class Kinds : public GlTest {};

// Each kind placed with its defaults compiles, crosses a Tiled map of either
// format and back unchanged, and makes its thing, which steps and draws in
// a play stage beside the others.
TEST_F(Kinds, EveryKindIsMadeSteppedAndDrawnInAStageAndCrossesTiledAndBack) {
    std::string source =
        "start 48 96\nplay\ntile -1 0 0\ntile 0 0 1\ngrid main 19 5\nlegend # 1\n"
        "|....................\n|....................\n|....................\n"
        "|....................\n|####################\n|####################\nend\n";
    for (size_t i = 0; i < ThingKinds().size(); ++i)
        source += std::string("thing ") + ThingKinds()[i]->name + " x=" + std::to_string(24 + 36 * i) + " y=96\n";
    LevelFile::LevelData data;
    std::string error;
    ASSERT_TRUE(LevelSource::Compile(source, data, error)) << error;
    for (TiledMap::Format format : {TiledMap::Format::Tmx, TiledMap::Format::Tmj}) {
        LevelFile::LevelData back;
        ASSERT_TRUE(LevelMap::Import(LevelMap::Export(data, format, ""), format, back, error)) << error;
        EXPECT_EQ(LevelSource::Dump(back), LevelSource::Dump(data));
    }

    EntityManager entities;
    auto owned = std::make_unique<LevelNamespace::Level>();
    LevelNamespace::Level* level = owned.get();
    entities.Add(std::move(owned));
    level->Build(data);
    ASSERT_TRUE(ThePlayer() && ThePlayer()->Playing());
    StageRecord record;
    ThingStage stage{record, level, HeroContact(ThePlayer())};
    std::vector<std::string> problems;
    const std::vector<PlacedThing> placements = FindThings(data, problems);
    ASSERT_EQ(placements.size(), ThingKinds().size());
    EXPECT_EQ(UnmadeThings(placements), "");
    for (const PlacedThing& placed : placements) {
        std::unique_ptr<Thing> thing = MakeThing(placed, stage);
        ASSERT_TRUE(thing) << placed.kind->name;
        EXPECT_STREQ(thing->KindName(), placed.kind->name);
        EXPECT_EQ(thing->position, Vector3(float(placed.X()), 96.0f));
        entities.Add(std::move(thing));
    }
    for (int step = 0; step < 30; ++step) {
        TheCollisionWorld().Update();
        entities.Update(1.0f);
        entities.Draw();
    }
    EXPECT_GE(entities.Entities().size(), 2 + ThingKinds().size());  // the gate joined them

    // A kind the game cannot make is named in one status line, with its marker.
    const ThingKind statue = PlacedKind("statue", "stands", {}, nullptr);
    EXPECT_EQ(UnmadeThings({placements[0], {&statue, {}, 3}, {&statue, {}, 5}}),
              "the statue marker 4, the statue marker 6");
}
