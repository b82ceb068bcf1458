// Any bytes: the reader either refuses them with a reason or accepts them,
// and an accepted file is written back, and dumped and compiled back, to
// exactly the same bytes. The play data and things the game reads from it
// keep every field in its range, and a thing's marker reads back as itself.
#include "levelsource/LevelSource.h"
#include "world/LevelFile.h"
#include "world/PlayRules.h"
#include "things/ThingPlacement.h"
#include <cstdlib>
#include <optional>

namespace {
void CheckThing(const PlacedThing& thing) {
    for (const MarkerField& field : thing.kind->fields) {
        const int32_t value = thing.Value(field.key);
        if (value < field.lowest || value > field.highest) abort();
    }
    std::vector<std::string> problems;
    if (ReadMarkerFields(ThingMarker(thing), thing.kind->fields, "", problems) != thing.values || !problems.empty())
        abort();
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LevelFile::LevelData level;
    std::string reason;
    if (!LevelFile::ReadLevel(data, size, level, reason)) {
        if (reason.empty()) abort();
        return 0;
    }
    std::vector<uint8_t> original(data, data + size);
    if (LevelFile::WriteLevel(level) != original) abort();
    LevelFile::LevelData compiled;
    std::string error;
    if (!LevelSource::Compile(LevelSource::Dump(level), compiled, error)) abort();
    if (LevelFile::WriteLevel(compiled) != original) abort();
    std::vector<std::string> problems;
    if (std::optional<PlayRules> rules = FindPlayRules(level, problems)) {
        for (const PlayField& field : PlayFields())
            if ((*rules).*field.member < field.lowest || (*rules).*field.member > field.highest) abort();
    }
    for (const PlacedThing& thing : FindThings(level, problems)) CheckThing(thing);
    return 0;
}
