#pragma once
#include "world/LevelFile.h"
#include "world/StageMarkers.h"
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Thing;
struct PlacedThing;
struct ThingStage;

// How the content generator lays a frame of the enemies' sheet out of the
// pieces of content/art/enemies.txt: with Figure `upper` stands on `lower`;
// with Whole `lower` alone stands on the feet; with Middle `lower` is centred
// on the frame. `hurt` throws the upper body back and pales the figure.
enum class FrameLay { Figure, Whole, Middle };
struct EnemyFrame {
    FrameLay lay;
    const char* upper;
    const char* lower;
    bool hurt;
};

using ThingMaker = std::unique_ptr<Thing> (*)(const PlacedThing&, ThingStage&);

// A kind of thing, all in one place (its own .cpp): the name its markers
// carry, its fields with their ranges and defaults, how it is made and its
// frames on the enemies' sheet. The level compiler, the Tiled import and
// export, the level check, the game and the content generator all read it.
struct ThingKind {
    const char* name;
    const char* meaning;
    std::vector<MarkerField> fields;  // x and y first for a kind a stage places
    ThingMaker make = nullptr;        // null: only another thing makes it
    std::vector<EnemyFrame> frames;   // its pictures on sprites\enemies.png, in order
    bool placed = true;               // false: it has no marker (a bone, a gate)

    // The field's default, or 0 for a field the kind does not have.
    int32_t Default(const std::string& key) const;
};

// The fields several kinds share.
inline constexpr MarkerField kHitPointsField{"hp", 1, 40, 1, "whip hits it takes"};
inline constexpr MarkerField kDropField{"drop", 0, 1, 0, "1: leaves a heart when it falls"};
MarkerField WithDefault(MarkerField field, int32_t fallback);

// A kind a stage places: x and y go before its own fields.
ThingKind PlacedKind(const char* name, const char* meaning, std::vector<MarkerField> fields, ThingMaker make,
                     std::vector<EnemyFrame> frames = {});
// A kind only another thing makes, without fields.
ThingKind MadeKind(const char* name, const char* meaning, std::vector<EnemyFrame> frames = {});

template <typename Made>
ThingMaker MakerOf() {
    return [](const PlacedThing& placed, ThingStage& stage) -> std::unique_ptr<Thing> {
        return std::make_unique<Made>(placed, stage);
    };
}

// Every kind, in the order of the enemies' sheet.
const std::vector<const ThingKind*>& EveryThingKind();
// The kinds a stage places, in the order the stage-making guide lists them.
const std::vector<const ThingKind*>& ThingKinds();
const ThingKind* FindThingKind(const std::string& name);
// The first frame of a kind's pictures on the enemies' sheet, and the burst's
// after every kind's.
int32_t FirstEnemyFrame(const ThingKind& kind);
int32_t BurstFrame();
constexpr int32_t kBurstFrames = 3;

// A thing of a kind at a place, with its fields. One a stage's marker placed
// has the index of its marker among the stage's things; one made in play
// (a dropped heart, a thrown bone) has none.
struct PlacedThing {
    const ThingKind* kind = nullptr;
    MarkerValues values;
    std::optional<size_t> index;

    // The field's value, the kind's default where it was not given.
    int32_t Value(const char* key) const;
    int32_t X() const { return Value("x"); }
    int32_t Y() const { return Value("y"); }
};

// The things of a level, in marker order. A marker of ours with a kind that
// is neither a thing nor "play" is left out and named in `problems`, as are
// fields ReadMarkerFields refuses.
std::vector<PlacedThing> FindThings(const LevelFile::LevelData& level, std::vector<std::string>& problems);
// The gems among them: the total a play stage counts the gems found against.
int32_t GemTotal(const std::vector<PlacedThing>& things);
std::string ThingText(const PlacedThing& thing);
LevelFile::NamedMarker ThingMarker(const PlacedThing& thing);
