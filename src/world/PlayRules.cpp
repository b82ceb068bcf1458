#include "world/PlayRules.h"
#include "world/StageMarkers.h"

const char* const kPlayMarkerName = "duskhold play";

namespace {
bool gEngineRulesOnly = false;
const char* const kPlayKind = "play";

// The play fields as marker fields, their defaults those of PlayRules.
const std::vector<MarkerField>& PlayMarkerFields() {
    static const std::vector<MarkerField> fields = [] {
        std::vector<MarkerField> list;
        const PlayRules defaults;
        for (const PlayField& field : PlayFields())
            list.push_back({field.key, field.lowest, field.highest, defaults.*field.member, field.meaning});
        return list;
    }();
    return fields;
}

MarkerValues ValuesOf(const PlayRules& rules) {
    MarkerValues values;
    for (const PlayField& field : PlayFields()) values[field.key] = rules.*field.member;
    return values;
}
}

const std::vector<PlayField>& PlayFields() {
    static const std::vector<PlayField> fields = {
        {"jump", &PlayRules::jumpHeight, 24, 144, "pixels a jump rises when the key is held to its top"},
        {"hearts", &PlayRules::hearts, 1, 9, "hearts of a full life"},
        {"lives", &PlayRules::lives, 1, 9, "tries before GAME OVER"},
        {"whip", &PlayRules::whipLevel, 1, 3, "the whip the hero starts with: 1 leather, 2 chain, 3 rune"},
    };
    return fields;
}

bool IsPlayMarker(const LevelFile::NamedMarker& marker) { return MarkerKind(marker) == kPlayKind; }

PlayRules ReadPlayRules(const LevelFile::NamedMarker& marker, std::vector<std::string>& problems) {
    const MarkerValues values = ReadMarkerFields(marker, PlayMarkerFields(), "the play marker", problems);
    PlayRules rules;
    for (const PlayField& field : PlayFields()) rules.*field.member = values.at(field.key);
    return rules;
}

std::optional<PlayRules> FindPlayRules(const LevelFile::LevelData& level, std::vector<std::string>& problems) {
    std::optional<PlayRules> rules;
    for (const LevelFile::NamedMarker& marker : level.markers.items) {
        if (!IsPlayMarker(marker)) continue;
        if (rules) problems.push_back("a second play marker is read past");
        else rules = ReadPlayRules(marker, problems);
    }
    return rules;
}

std::string PlayText(const PlayRules& rules) { return MarkerText(kPlayKind, PlayMarkerFields(), ValuesOf(rules)); }

LevelFile::NamedMarker PlayMarker(const PlayRules& rules) { return MarkerWithText(PlayText(rules)); }

bool EngineRulesOnly() { return gEngineRulesOnly; }
void SetEngineRulesOnly(bool on) { gEngineRulesOnly = on; }
