#include "world/PlayRules.h"
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sstream>

const char* const kPlayMarkerName = "duskhold play";

namespace {
bool gEngineRulesOnly = false;

std::string MarkerText(const LevelFile::NamedMarker& marker) {
    return std::string(marker.bytes.begin(), marker.bytes.end());
}

const PlayField* FindField(const std::string& key) {
    for (const PlayField& field : PlayFields())
        if (key == field.key) return &field;
    return nullptr;
}

// A whole decimal number that fits 32 bits, and nothing else.
bool ParseWhole(const std::string& text, int32_t& value) {
    if (text.empty() || text.size() > 11) return false;
    errno = 0;
    char* end = nullptr;
    long long parsed = strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || parsed < INT32_MIN || parsed > INT32_MAX) return false;
    value = int32_t(parsed);
    return true;
}

// Reads one "key=value" word into the rules, or says what is wrong with it.
void ReadField(const std::string& word, PlayRules& rules, std::vector<std::string>& seen,
               std::vector<std::string>& problems) {
    const size_t equals = word.find('=');
    const std::string key = word.substr(0, equals);
    const PlayField* field = FindField(key);
    int32_t value = 0;
    if (!field) {
        problems.push_back("the play marker has an unknown field '" + key + "'");
    } else if (std::find(seen.begin(), seen.end(), key) != seen.end()) {
        problems.push_back("the play marker sets '" + key + "' twice");
    } else if (equals == std::string::npos || !ParseWhole(word.substr(equals + 1), value)) {
        problems.push_back("the play marker's '" + key + "' is not a whole number");
    } else if (value < field->lowest || value > field->highest) {
        problems.push_back("the play marker's " + key + "=" + std::to_string(value) + " is outside " +
                           std::to_string(field->lowest) + " to " + std::to_string(field->highest));
    } else {
        rules.*field->member = value;
    }
    if (field) seen.push_back(key);
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

bool IsPlayMarker(const LevelFile::NamedMarker& marker) {
    const std::string name = kPlayMarkerName;
    const std::string text = MarkerText(marker);
    return text.compare(0, name.size(), name) == 0 && (text.size() == name.size() || text[name.size()] == ' ');
}

PlayRules ReadPlayRules(const LevelFile::NamedMarker& marker, std::vector<std::string>& problems) {
    PlayRules rules;
    std::istringstream words(MarkerText(marker).substr(std::string(kPlayMarkerName).size()));
    std::vector<std::string> seen;
    for (std::string word; words >> word;) ReadField(word, rules, seen, problems);
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

std::string PlayText(const PlayRules& rules) {
    std::string text = kPlayMarkerName;
    for (const PlayField& field : PlayFields())
        text += " " + std::string(field.key) + "=" + std::to_string(rules.*field.member);
    return text;
}

LevelFile::NamedMarker PlayMarker(const PlayRules& rules) {
    LevelFile::NamedMarker marker;
    const std::string text = PlayText(rules);
    marker.bytes.assign(text.begin(), text.end());
    marker.length = int32_t(marker.bytes.size());
    return marker;
}

bool EngineRulesOnly() { return gEngineRulesOnly; }
void SetEngineRulesOnly(bool on) { gEngineRulesOnly = on; }
