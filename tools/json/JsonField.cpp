#include "json/JsonField.h"
#include <cstdlib>

namespace {
// Where the value that starts at `start` ends: at the comma or closing
// bracket of its own level, outside strings, or at the end of the line.
size_t ValueEnd(const std::string& line, size_t start) {
    int depth = 0;
    bool inString = false;
    for (size_t i = start; i < line.size(); ++i) {
        char c = line[i];
        if (inString) {
            if (c == '\\') ++i;
            else if (c == '"') inString = false;
            continue;
        }
        if (c == '"') inString = true;
        else if (c == '[' || c == '{') ++depth;
        else if (c == ']' || c == '}') {
            if (depth == 0) return i;
            --depth;
        } else if (c == ',' && depth == 0) {
            return i;
        }
    }
    return line.size();
}
}

std::string JsonField(const std::string& line, const std::string& name) {
    std::string key = "\"" + name + "\":";
    size_t start = line.find(key);
    if (start == std::string::npos) return "";
    start = line.find_first_not_of(' ', start + key.size());
    if (start == std::string::npos) return "";
    std::string value = line.substr(start, ValueEnd(line, start) - start);
    return value.substr(0, value.find_last_not_of(' ') + 1);
}

bool JsonNumberField(const std::string& line, const std::string& name, double& value) {
    std::string text = JsonField(line, name);
    char* end = nullptr;
    double number = strtod(text.c_str(), &end);
    if (end == text.c_str()) return false;
    value = number;
    return true;
}

bool JsonStringField(const std::string& line, const std::string& name, std::string& value) {
    std::string text = JsonField(line, name);
    if (text.size() < 2 || text.front() != '"' || text.back() != '"') return false;
    value = text.substr(1, text.size() - 2);
    return true;
}
