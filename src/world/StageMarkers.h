#pragma once
#include "world/LevelFile.h"
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A stage's play data travels in named markers of its level file, which
// every reader of the format reads past: the bytes are the text
// "duskhold KIND key=value key=value ...", with whole numbers as values.
// KIND is "play" for the stage's rules, or the kind of a thing placed in it.

// A number a marker may hold, with the values it may take.
struct MarkerField {
    const char* key;
    int32_t lowest;
    int32_t highest;
    int32_t fallback;
    const char* meaning;
};
using MarkerValues = std::map<std::string, int32_t>;

// The word our markers start with.
extern const char* const kMarkerPrefix;

// The KIND of one of our markers, or "" for a marker of another name.
std::string MarkerKind(const LevelFile::NamedMarker& marker);
// Reads the fields after the KIND. A field that is unknown, repeated, not a
// whole number or out of its range keeps its fallback, and a sentence naming
// it, starting with `what` ("the play marker"), is added to `problems`.
MarkerValues ReadMarkerFields(const LevelFile::NamedMarker& marker, const std::vector<MarkerField>& fields,
                              const std::string& what, std::vector<std::string>& problems);
// The text of a marker with every field, in field order.
std::string MarkerText(const std::string& kind, const std::vector<MarkerField>& fields, const MarkerValues& values);
// The problems of a stage's markers on one line, "; " between them ("" for none).
std::string ProblemLine(const std::vector<std::string>& problems);
// A marker holding the text, its other fields 0.
LevelFile::NamedMarker MarkerWithText(const std::string& text);
