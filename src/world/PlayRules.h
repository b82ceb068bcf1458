#pragma once
#include "world/LevelFile.h"
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a stage asks of play: the numbers a stage maker may set. A stage asks
// for play through a named marker of its level file whose bytes are the text
// "duskhold play" followed by "key=value" fields; readers that do not know
// the marker read past it like any other. A stage without one plays by the
// engine's rules: fixed velocities, no jump, no whip, no health.
struct PlayRules {
    int32_t jumpHeight = 72;  // pixels risen by a jump held to its top
    int32_t hearts = 5;       // hearts of a full life
    int32_t lives = 3;        // tries before GAME OVER
    int32_t whipLevel = 1;    // the whip the hero starts with: 1 leather, 2 chain, 3 rune
};

// One field of the play marker, with the values it may take.
struct PlayField {
    const char* key;
    int32_t PlayRules::*member;
    int32_t lowest;
    int32_t highest;
    const char* meaning;
};
// The fields in the order the marker writes them.
const std::vector<PlayField>& PlayFields();

// The words a play marker's bytes start with.
extern const char* const kPlayMarkerName;

// Whether a marker is a play marker (its bytes start with the name, then a
// space or the end).
bool IsPlayMarker(const LevelFile::NamedMarker& marker);
// Reads a play marker's text. A field that is unknown, repeated, not a whole
// number or out of its range keeps its default, and a sentence naming it is
// added to `problems`.
PlayRules ReadPlayRules(const LevelFile::NamedMarker& marker, std::vector<std::string>& problems);
// The rules of the level's first play marker, or none for an engine stage.
// Problems as for ReadPlayRules; a second play marker is one too.
std::optional<PlayRules> FindPlayRules(const LevelFile::LevelData& level, std::vector<std::string>& problems);
// The text of a play marker with every field, in field order.
std::string PlayText(const PlayRules& rules);
// A marker holding that text, its other fields 0.
LevelFile::NamedMarker PlayMarker(const PlayRules& rules);

// Whether the game ignores play markers and plays every stage by the
// engine's rules (--engine-rules).
bool EngineRulesOnly();
void SetEngineRulesOnly(bool on);
