#include "world/StageMarkers.h"
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <set>
#include <sstream>

const char* const kMarkerPrefix = "duskhold";

namespace {
std::string TextOf(const LevelFile::NamedMarker& marker) {
    return std::string(marker.bytes.begin(), marker.bytes.end());
}

const MarkerField* FindField(const std::vector<MarkerField>& fields, const std::string& key) {
    for (const MarkerField& field : fields)
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

// Reads one "key=value" word, or says what is wrong with it.
void ReadField(const std::string& word, const std::vector<MarkerField>& fields, const std::string& what,
               MarkerValues& values, std::set<std::string>& seen, std::vector<std::string>& problems) {
    const size_t equals = word.find('=');
    const std::string key = word.substr(0, equals);
    const MarkerField* field = FindField(fields, key);
    int32_t value = 0;
    if (!field) {
        problems.push_back(what + " has an unknown field '" + key + "'");
    } else if (seen.count(key)) {
        problems.push_back(what + " sets '" + key + "' twice");
    } else if (equals == std::string::npos || !ParseWhole(word.substr(equals + 1), value)) {
        problems.push_back(what + "'s '" + key + "' is not a whole number");
    } else if (value < field->lowest || value > field->highest) {
        problems.push_back(what + "'s " + key + "=" + std::to_string(value) + " is outside " +
                           std::to_string(field->lowest) + " to " + std::to_string(field->highest));
    } else {
        values[key] = value;
    }
    if (field) seen.insert(key);
}
}

std::string MarkerKind(const LevelFile::NamedMarker& marker) {
    std::istringstream words(TextOf(marker));
    std::string prefix, kind;
    if (!(words >> prefix >> kind) || prefix != kMarkerPrefix) return "";
    // The prefix and the kind must open the bytes, one space apart and
    // followed by a space or the end.
    const std::string text = TextOf(marker), opening = prefix + " " + kind;
    const bool opens = text.compare(0, opening.size(), opening) == 0;
    return opens && (text.size() == opening.size() || text[opening.size()] == ' ') ? kind : "";
}

MarkerValues ReadMarkerFields(const LevelFile::NamedMarker& marker, const std::vector<MarkerField>& fields,
                              const std::string& what, std::vector<std::string>& problems) {
    MarkerValues values;
    for (const MarkerField& field : fields) values[field.key] = field.fallback;
    std::istringstream words(TextOf(marker));
    std::string skipped;
    words >> skipped >> skipped;
    std::set<std::string> seen;
    for (std::string word; words >> word;) ReadField(word, fields, what, values, seen, problems);
    return values;
}

std::string MarkerText(const std::string& kind, const std::vector<MarkerField>& fields, const MarkerValues& values) {
    std::string text = std::string(kMarkerPrefix) + " " + kind;
    for (const MarkerField& field : fields) {
        auto value = values.find(field.key);
        text +=
            " " + std::string(field.key) + "=" + std::to_string(value == values.end() ? field.fallback : value->second);
    }
    return text;
}

std::string ProblemLine(const std::vector<std::string>& problems) {
    std::string line;
    for (const std::string& problem : problems) line += (line.empty() ? "" : "; ") + problem;
    return line;
}

LevelFile::NamedMarker MarkerWithText(const std::string& text) {
    LevelFile::NamedMarker marker;
    marker.bytes.assign(text.begin(), text.end());
    marker.length = int32_t(marker.bytes.size());
    return marker;
}
