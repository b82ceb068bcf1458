#pragma once
#include "world/LevelFile.h"
#include "world/StageMarkers.h"
#include <cstdint>
#include <string>
#include <vector>

// The things a play stage places: enemies, hazards, pickups and
// checkpoints, each in a marker "duskhold KIND x=.. y=.. field=value ...".
// x and y are world pixels: the middle of the thing's bottom edge.
struct ThingKind {
    const char* name;
    const char* meaning;
    std::vector<MarkerField> fields;  // x and y first
};
// Every kind, in the order the stage-making guide lists them.
const std::vector<ThingKind>& ThingKinds();
const ThingKind* FindThingKind(const std::string& name);

struct PlacedThing {
    const ThingKind* kind = nullptr;
    MarkerValues values;
    // The order of its marker among the stage's things.
    size_t index = 0;

    int32_t Value(const char* key) const;
    int32_t X() const { return Value("x"); }
    int32_t Y() const { return Value("y"); }
};

// The things of a level, in marker order. A marker of ours with a kind that
// is neither a thing nor "play" is left out and named in `problems`, as are
// fields ReadMarkerFields refuses.
std::vector<PlacedThing> FindThings(const LevelFile::LevelData& level, std::vector<std::string>& problems);
std::string ThingText(const PlacedThing& thing);
LevelFile::NamedMarker ThingMarker(const PlacedThing& thing);
