#include "base/Movie.h"
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <utility>

const char* const kMovieHeader = "duskhold-movie 1";

namespace {
const std::pair<int32_t, const char*> kHatNames[] = {
    {0, "centered"}, {1, "up"},       {4, "down"},       {8, "left"},       {2, "right"},
    {9, "up-left"},  {3, "up-right"}, {12, "down-left"}, {6, "down-right"},
};
constexpr long kMaxButton = 255;  // SDL keeps button numbers in a byte

const char* const kWhitespace = " \t\r";

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(kWhitespace);
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(kWhitespace) - first + 1);
}

// The line without its comment and surrounding blanks.
std::string Content(const std::string& line) { return Trim(line.substr(0, line.find('#'))); }

// Splits off the first word; `rest` keeps everything after it, trimmed
// (`rest` may be `text` itself).
std::string FirstWord(const std::string& text, std::string& rest) {
    size_t end = text.find_first_of(kWhitespace);
    std::string word = text.substr(0, end);
    rest = end == std::string::npos ? "" : Trim(text.substr(end));
    return word;
}

bool ParseNumber(const std::string& text, long& value) {
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    value = strtol(text.c_str(), nullptr, 10);
    return true;
}

// Reading one line: true with the event, or false with the reason.
class LineReader {
public:
    LineReader(const KeyNames& keys, MovieEvent& event, std::string& error)
        : keys_(keys), event_(event), error_(error) {}

    bool Read(const std::string& content) {
        std::string rest;
        std::string stepText = FirstWord(content, rest);
        if (!ParseNumber(stepText, event_.step)) return Fail("'" + stepText + "' is not a step number");
        if (event_.step < 1) return Fail("steps count from 1");
        std::string verb = FirstWord(rest, rest);
        if (verb == "down" || verb == "up") return ReadKey(verb == "down", rest);
        if (verb == "hat") return ReadHat(rest);
        if (verb == "button") return ReadButton(rest);
        if (verb.empty()) return Fail("an event must follow the step number");
        return Fail("unknown event '" + verb + "' (down, up, hat or button)");
    }

private:
    bool Fail(const std::string& message) {
        error_ = message;
        return false;
    }

    bool ReadKey(bool down, const std::string& key) {
        event_.kind = down ? MovieEventKind::KeyDown : MovieEventKind::KeyUp;
        if (key.empty()) return Fail("a key name or number must follow down and up");
        if (keys_.find(key, event_.value)) return true;
        long number = 0;
        if (!ParseNumber(key, number)) return Fail("unknown key '" + key + "'");
        if (number >= keys_.symbolLimit)
            return Fail("key number " + key + " is above " + std::to_string(keys_.symbolLimit - 1));
        event_.value = int32_t(number);
        return true;
    }

    bool ReadHat(const std::string& direction) {
        event_.kind = MovieEventKind::Hat;
        for (const auto& [value, name] : kHatNames) {
            if (direction == name) {
                event_.value = value;
                return true;
            }
        }
        return Fail("unknown hat direction '" + direction +
                    "' (centered, up, down, left, right, up-left, up-right, down-left or "
                    "down-right)");
    }

    bool ReadButton(const std::string& words) {
        std::string state;
        std::string numberText = FirstWord(words, state);
        long number = 0;
        if (!ParseNumber(numberText, number) || number > kMaxButton)
            return Fail("a button number from 0 to 255 must follow button");
        if (state != "down" && state != "up") return Fail("button " + numberText + " must be followed by down or up");
        event_.kind = state == "down" ? MovieEventKind::ButtonDown : MovieEventKind::ButtonUp;
        event_.value = int32_t(number);
        return true;
    }

    const KeyNames& keys_;
    MovieEvent& event_;
    std::string& error_;
};

// Steps must not go back, and no step may hold more events than SDL's queue
// takes at once.
bool CheckOrder(const std::vector<MovieEvent>& events, const MovieEvent& next, std::string& error) {
    if (events.empty()) return true;
    long last = events.back().step;
    if (next.step < last) {
        error = "step " + std::to_string(next.step) + " comes after step " + std::to_string(last);
        return false;
    }
    size_t sameStep = 1;
    for (auto it = events.rbegin(); it != events.rend() && it->step == next.step; ++it) ++sameStep;
    if (sameStep > kMaxMovieEventsPerStep) {
        error = "step " + std::to_string(next.step) + " holds more than " + std::to_string(kMaxMovieEventsPerStep) +
                " events";
        return false;
    }
    return true;
}
}

KeyNames KeyNamesFromTable(const std::map<std::string, int32_t>& table, int32_t symbolLimit) {
    auto symbols = std::make_shared<const std::map<std::string, int32_t>>(table);
    auto names = std::make_shared<std::map<int32_t, std::string>>();
    for (const auto& [name, symbol] : table) names->emplace(symbol, name);
    KeyNames keys;
    keys.find = [symbols](const std::string& name, int32_t& symbol) {
        auto it = symbols->find(name);
        if (it == symbols->end()) return false;
        symbol = it->second;
        return true;
    };
    keys.spell = [names](int32_t symbol) {
        auto it = names->find(symbol);
        return it == names->end() ? std::string() : it->second;
    };
    keys.symbolLimit = symbolLimit;
    return keys;
}

bool ParseMovie(const std::string& text, const KeyNames& keys, std::vector<MovieEvent>& events, MovieError& error) {
    events.clear();
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::string content = Content(line);
        if (number == 1) {
            if (content == kMovieHeader) continue;
            error = {1, std::string("the first line must be '") + kMovieHeader + "'"};
            return false;
        }
        if (content.empty()) continue;
        MovieEvent event;
        std::string message;
        if (!LineReader(keys, event, message).Read(content) || !CheckOrder(events, event, message)) {
            error = {number, message};
            return false;
        }
        events.push_back(event);
    }
    if (number == 0) {
        error = {1, std::string("the first line must be '") + kMovieHeader + "'"};
        return false;
    }
    return true;
}

std::string HatName(int32_t value) {
    for (const auto& [hat, name] : kHatNames)
        if (hat == value) return name;
    return "";
}

namespace {
// A key's name when it reads back as the same key, else its number. A
// number that is also a key name ("1") gets a leading zero.
std::string KeyText(int32_t symbol, const KeyNames& keys) {
    std::string name = keys.spell(symbol);
    int32_t back = -1;
    if (!name.empty() && name.find('#') == std::string::npos && name == Trim(name) && keys.find(name, back) &&
        back == symbol)
        return name;
    std::string number = std::to_string(symbol);
    return keys.find(number, back) ? "0" + number : number;
}
}

std::string MovieLine(const MovieEvent& event, const KeyNames& keys) {
    std::string step = std::to_string(event.step) + " ";
    std::string value = std::to_string(event.value);
    switch (event.kind) {
    case MovieEventKind::KeyDown: return step + "down " + KeyText(event.value, keys);
    case MovieEventKind::KeyUp: return step + "up " + KeyText(event.value, keys);
    case MovieEventKind::Hat: return step + "hat " + HatName(event.value);
    case MovieEventKind::ButtonDown: return step + "button " + value + " down";
    case MovieEventKind::ButtonUp: return step + "button " + value + " up";
    }
    return step;
}
