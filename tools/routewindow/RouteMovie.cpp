#include "routewindow/RouteMovie.h"
#include <algorithm>
#include <sstream>

namespace {
bool ReadEvent(const std::string& line, RouteEvent& event) {
    std::istringstream words(line.substr(0, line.find('#')));
    std::string direction;
    if (!(words >> event.step >> direction >> event.key)) return false;
    if (direction != "down" && direction != "up") return false;
    event.down = direction == "down";
    return true;
}

// Pairs each down of `key` with the next up of it.
bool PairPresses(const std::string& key, RouteMovie& movie, std::string& error) {
    const std::vector<RouteEvent>& events = movie.events;
    for (size_t i = 0; i < events.size(); ++i) {
        if (!events[i].down || events[i].key != key) continue;
        size_t up = i + 1;
        while (up < events.size() && (events[up].key != key || events[up].down)) ++up;
        if (up == events.size()) {
            error = "step " + std::to_string(events[i].step) + ": " + key + " is pressed and never released";
            return false;
        }
        movie.presses.push_back({key, i, up, events[i].step, events[up].step});
    }
    return true;
}
}

bool ReadRouteMovie(const std::string& text, const std::vector<std::string>& keys, RouteMovie& movie,
                    std::string& error) {
    std::istringstream lines(text);
    std::string line;
    RouteEvent event;
    while (std::getline(lines, line))
        if (ReadEvent(line, event)) movie.events.push_back(event);
    for (const std::string& key : keys)
        if (!PairPresses(key, movie, error)) return false;
    std::sort(movie.presses.begin(), movie.presses.end(),
              [](const Press& a, const Press& b) { return a.downStep < b.downStep; });
    return true;
}

std::string ShiftedMovie(const RouteMovie& movie, size_t press, long shift) {
    const Press& moved = movie.presses[press];
    if (moved.downStep + shift < 1) return std::string();
    for (const Press& other : movie.presses) {
        if (&other == &moved || other.key != moved.key) continue;
        if (other.upStep >= moved.downStep + shift && other.downStep <= moved.upStep + shift) return std::string();
    }
    std::vector<RouteEvent> events = movie.events;
    events[moved.downEvent].step += shift;
    events[moved.upEvent].step += shift;
    std::stable_sort(events.begin(), events.end(),
                     [](const RouteEvent& a, const RouteEvent& b) { return a.step < b.step; });
    std::string text = "duskhold-movie 1\n";
    for (const RouteEvent& event : events)
        text += std::to_string(event.step) + (event.down ? " down " : " up ") + event.key + "\n";
    return text;
}
