// Any text: the movie reader either refuses it with a line number and a
// reason, or accepts it, and the accepted events written back as lines read
// back as exactly the same events.
#include "base/Movie.h"
#include <cstdlib>
#include <map>

namespace {
// A key table shaped like the platform's: printable characters name
// themselves (so "1" and "#" are key names), a few keys have names with
// blanks, and some symbols below the limit have no name at all.
std::map<std::string, int32_t> MakeTable() {
    std::map<std::string, int32_t> table;
    for (int32_t c = 33; c < 127; ++c) table.emplace(std::string(1, char(c)), c);
    table.emplace("space", 32);
    table.emplace("return", 13);
    table.emplace("up", 273);
    table.emplace("left shift", 304);
    table.emplace("keypad 1", 257);
    return table;
}

const KeyNames& FuzzKeyNames() {
    static const std::map<std::string, int32_t> table = MakeTable();
    static const KeyNames names{[](const std::string& name, int32_t& symbol) {
                                    auto it = table.find(name);
                                    if (it == table.end()) return false;
                                    symbol = it->second;
                                    return true;
                                },
                                [](int32_t symbol) {
                                    for (const auto& [name, value] : table)
                                        if (value == symbol) return name;
                                    return std::string();
                                },
                                323};
    return names;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<MovieEvent> events;
    MovieError error;
    if (!ParseMovie(text, FuzzKeyNames(), events, error)) {
        if (error.line < 1 || error.message.empty()) abort();
        return 0;
    }
    std::string written = std::string(kMovieHeader) + "\n";
    for (const MovieEvent& event : events) written += MovieLine(event, FuzzKeyNames()) + "\n";
    std::vector<MovieEvent> again;
    if (!ParseMovie(written, FuzzKeyNames(), again, error) || again != events) abort();
    return 0;
}
