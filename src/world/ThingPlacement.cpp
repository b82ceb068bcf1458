#include "world/ThingPlacement.h"

namespace {
// Where a thing stands: anywhere a main grid of 100 by 100 tiles reaches, and a little beyond.
const MarkerField kX{"x", -2400, 4800, 0, "pixels from the stage's left edge to the thing's middle"};
const MarkerField kY{"y", -2400, 4800, 0, "pixels from the stage's top to the thing's bottom edge"};
const MarkerField kHitPoints{"hp", 1, 40, 1, "whip hits it takes"};
const MarkerField kDrop{"drop", 0, 1, 0, "1: leaves a heart when it falls"};

ThingKind Kind(const char* name, const char* meaning, std::vector<MarkerField> fields) {
    fields.insert(fields.begin(), {kX, kY});
    return {name, meaning, fields};
}

MarkerField WithFallback(MarkerField field, int32_t fallback) {
    field.fallback = fallback;
    return field;
}
}

const std::vector<ThingKind>& ThingKinds() {
    static const std::vector<ThingKind> kinds = {
        Kind("walker", "walks to and fro, turning at walls and ledge ends",
             {{"range", 0, 960, 72, "pixels it walks each way from its place (0: to the walls and edges)"},
              kHitPoints,
              kDrop}),
        Kind("flier", "hangs in the air and swoops at the hero when he comes near",
             {{"range", 24, 240, 120, "pixels from the hero at which it swoops"}, kHitPoints, kDrop}),
        Kind("thrower", "stands and lobs bones at the hero in arcs",
             {{"every", 40, 400, 120, "steps between throws"}, WithFallback(kHitPoints, 2), kDrop}),
        Kind("knight", "an armoured walker only the chain or rune whip hurts",
             {{"range", 0, 960, 48, "pixels it walks each way from its place (0: to the walls and edges)"},
              WithFallback(kHitPoints, 3),
              kDrop}),
        Kind("guardian", "the keep's guardian: the gate opens when it falls", {WithFallback(kHitPoints, 16)}),
        Kind("spikes", "spikes that cost a heart and push the hero back",
             {{"width", 1, 40, 1, "tiles wide, centred on x"},
              {"ceiling", 0, 1, 0, "1: hangs from a ceiling, points down"}}),
        Kind("platform", "a platform that carries the hero along a path and back",
             {{"width", 1, 8, 2, "tiles wide"},
              {"dx", -2400, 2400, 96, "pixels the path runs to the right (negative: left)"},
              {"dy", -2400, 2400, 0, "pixels the path runs down (negative: up)"},
              {"speed", 1, 4, 1, "pixels a step"}}),
        Kind("crumble", "a ledge that crumbles a moment after the hero lands on it",
             {{"width", 1, 8, 2, "tiles wide"}, {"delay", 10, 240, 40, "steps from landing to falling"}}),
        Kind("heart", "heals one heart", {}),
        Kind("whip", "raises the whip: leather, chain, rune", {}),
        Kind("gem", "a gem, counted at the stage's clear", {}),
        Kind("lantern", "a checkpoint: lit when touched, dying brings the hero back to it", {}),
    };
    return kinds;
}

const ThingKind* FindThingKind(const std::string& name) {
    for (const ThingKind& kind : ThingKinds())
        if (name == kind.name) return &kind;
    return nullptr;
}

int32_t PlacedThing::Value(const char* key) const {
    auto value = values.find(key);
    return value == values.end() ? 0 : value->second;
}

std::vector<PlacedThing> FindThings(const LevelFile::LevelData& level, std::vector<std::string>& problems) {
    std::vector<PlacedThing> things;
    for (const LevelFile::NamedMarker& marker : level.markers.items) {
        const std::string kindName = MarkerKind(marker);
        if (kindName.empty() || kindName == "play") continue;
        const ThingKind* kind = FindThingKind(kindName);
        if (!kind) {
            problems.push_back("a marker names the unknown kind '" + kindName + "'");
            continue;
        }
        PlacedThing thing;
        thing.kind = kind;
        thing.index = things.size();
        const std::string what = "the " + kindName + " marker " + std::to_string(thing.index + 1);
        thing.values = ReadMarkerFields(marker, kind->fields, what, problems);
        things.push_back(thing);
    }
    return things;
}

std::string ThingText(const PlacedThing& thing) {
    return MarkerText(thing.kind->name, thing.kind->fields, thing.values);
}

LevelFile::NamedMarker ThingMarker(const PlacedThing& thing) { return MarkerWithText(ThingText(thing)); }
