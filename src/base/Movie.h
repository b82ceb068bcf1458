#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

// Input movies: the key, joystick button and hat events of a session, one
// per line of a text file that people write by hand and tools generate:
//
//   duskhold-movie 1
//   1 down z          # STEP down|up KEY (a key name or a key number)
//   40 hat up-left    # STEP hat DIR
//   52 button 3 down  # STEP button N down|up (joystick 0)
//
// Events of one step keep their order; blank lines and comments are allowed.

enum class MovieEventKind { KeyDown, KeyUp, Hat, ButtonDown, ButtonUp };

struct MovieEvent {
    long step = 0;
    MovieEventKind kind = MovieEventKind::KeyDown;
    // The key symbol, the button number, or the hat value (up 1, right 2,
    // down 4, left 8; diagonals combine two).
    int32_t value = 0;

    bool operator==(const MovieEvent& o) const { return step == o.step && kind == o.kind && value == o.value; }
};

// How keys are spelled. The platform fills it from its key table.
struct KeyNames {
    std::function<bool(const std::string& name, int32_t& symbol)> find;
    std::function<std::string(int32_t symbol)> spell;  // "" for a key without a name
    int32_t symbolLimit = 0;                           // key numbers run below this
};

// Key names from a table of names and their symbols; a symbol that several
// names share is spelled with the first in name order.
KeyNames KeyNamesFromTable(const std::map<std::string, int32_t>& table, int32_t symbolLimit);

struct MovieError {
    int line = 0;
    std::string message;
};

extern const char* const kMovieHeader;
// SDL's event queue holds little more than a hundred events, and one step's
// events must all fit into it at once.
constexpr size_t kMaxMovieEventsPerStep = 64;

// Reads a whole movie; false with the number of the first malformed line and
// what is wrong with it.
bool ParseMovie(const std::string& text, const KeyNames& keys, std::vector<MovieEvent>& events, MovieError& error);

// One event as a movie line, without the line feed.
std::string MovieLine(const MovieEvent& event, const KeyNames& keys);

// The hat directions as movies spell them ("" for a value that is none).
std::string HatName(int32_t value);
