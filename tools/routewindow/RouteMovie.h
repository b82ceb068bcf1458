#pragma once
#include <string>
#include <vector>

// A route movie as a list of key events, its presses (a key down and the
// next up of the same key) and the same movie with one press moved.

struct RouteEvent {
    long step = 0;
    bool down = false;
    std::string key;
};

struct Press {
    std::string key;
    size_t downEvent = 0, upEvent = 0;  // indexes into the events
    long downStep = 0, upStep = 0;
};

struct RouteMovie {
    std::vector<RouteEvent> events;
    std::vector<Press> presses;
};

// Reads the "STEP down|up KEY" lines of a movie's text (comments and other
// lines are passed over) and pairs the presses of `keys`; false with the
// line of a down that is never released.
bool ReadRouteMovie(const std::string& text, const std::vector<std::string>& keys, RouteMovie& movie,
                    std::string& error);

// The movie's text with press `press` moved `shift` steps (negative:
// earlier); "" when the moved press would start before step 1 or run into
// another press of its key.
std::string ShiftedMovie(const RouteMovie& movie, size_t press, long shift);
