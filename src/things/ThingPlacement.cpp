#include "things/ThingPlacement.h"
#include <algorithm>

namespace {
// Where a thing stands: anywhere a main grid of 100 by 100 tiles reaches, and a little beyond.
constexpr MarkerField kX{"x", -2400, 4800, 0, "pixels from the stage's left edge to the thing's middle"};
constexpr MarkerField kY{"y", -2400, 4800, 0, "pixels from the stage's top to the thing's bottom edge"};
}

int32_t ThingKind::Default(const std::string& key) const {
    for (const MarkerField& field : fields)
        if (key == field.key) return field.fallback;
    return 0;
}

MarkerField WithDefault(MarkerField field, int32_t fallback) {
    field.fallback = fallback;
    return field;
}

ThingKind PlacedKind(const char* name, const char* meaning, std::vector<MarkerField> fields, ThingMaker make,
                     std::vector<EnemyFrame> frames) {
    fields.insert(fields.begin(), {kX, kY});
    return {name, meaning, std::move(fields), make, std::move(frames), true};
}

ThingKind MadeKind(const char* name, const char* meaning, std::vector<EnemyFrame> frames) {
    return {name, meaning, {}, nullptr, std::move(frames), false};
}

const std::vector<const ThingKind*>& ThingKinds() {
    static const std::vector<const ThingKind*> placed = [] {
        std::vector<const ThingKind*> kinds;
        for (const ThingKind* kind : EveryThingKind())
            if (kind->placed) kinds.push_back(kind);
        return kinds;
    }();
    return placed;
}

const ThingKind* FindThingKind(const std::string& name) {
    for (const ThingKind* kind : ThingKinds())
        if (name == kind->name) return kind;
    return nullptr;
}

int32_t FirstEnemyFrame(const ThingKind& kind) {
    int32_t first = 0;
    for (const ThingKind* other : EveryThingKind()) {
        if (other == &kind) break;
        first += int32_t(other->frames.size());
    }
    return first;
}

// A kind not in the list comes after all of them.
int32_t BurstFrame() { return FirstEnemyFrame(ThingKind{}); }

int32_t PlacedThing::Value(const char* key) const {
    auto value = values.find(key);
    if (value != values.end()) return value->second;
    return kind ? kind->Default(key) : 0;
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
        const std::string what = "the " + kindName + " marker " + std::to_string(things.size() + 1);
        thing.values = ReadMarkerFields(marker, kind->fields, what, problems);
        things.push_back(thing);
    }
    return things;
}

int32_t GemTotal(const std::vector<PlacedThing>& things) {
    return int32_t(std::count_if(things.begin(), things.end(),
                                 [](const PlacedThing& thing) { return std::string(thing.kind->name) == "gem"; }));
}

std::string ThingText(const PlacedThing& thing) {
    return MarkerText(thing.kind->name, thing.kind->fields, thing.values);
}

LevelFile::NamedMarker ThingMarker(const PlacedThing& thing) { return MarkerWithText(ThingText(thing)); }
