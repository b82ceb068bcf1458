#include "WalkMovie.h"
#include "base/Movie.h"
#include <map>

namespace {
constexpr long kRound = 100;
constexpr long kRise = 60;
}

std::string WalkMovie(long steps) {
    // By step; the events of one step keep the order they were put in.
    std::multimap<long, std::string> events = {{1, "down z"}, {1, "down right"}};
    long turn = steps / 2 + 1;
    events.emplace(turn, "up right");
    events.emplace(turn, "down left");
    for (long start = 1; start <= steps; start += kRound) {
        events.emplace(start, "down x");
        events.emplace(start + kRise, "up x");
    }
    std::string movie = std::string(kMovieHeader) + "\n";
    for (const auto& [step, event] : events) movie += std::to_string(step) + " " + event + "\n";
    return movie;
}
