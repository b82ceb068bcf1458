#include "routewindow/Hits.h"
#include "base/SharedConstants.h"
#include "json/JsonField.h"
#include <cmath>
#include <cstdlib>

namespace {
struct Spot {
    std::string kind;
    double x = 0, y = 0;
};

// A thing's picture reaches past the middle of its bottom edge, the one
// point the trace gives: half a tile of it counts as in view.
constexpr double kInViewMargin = 12;
// The farthest a thing moves in one step (a thrown bone, a swooping bat).
constexpr double kStepReach = 16;

bool Hurts(const std::string& kind) {
    for (const char* k : {"walker", "flier", "thrower", "knight", "guardian", "spikes", "bone"})
        if (kind == k) return true;
    return false;
}

bool Pair(const std::string& text, double& x, double& y) {
    if (text.size() < 2 || text[0] != '[') return false;
    char* rest = nullptr;
    x = std::strtod(text.c_str() + 1, &rest);
    if (*rest != ',') return false;
    y = std::strtod(rest + 1, nullptr);
    return true;
}

std::vector<Spot> Things(const std::string& line) {
    std::vector<Spot> spots;
    const std::string list = JsonField(line, "things");
    for (size_t at = list.find("[\"", 1); at != std::string::npos; at = list.find("[\"", at + 1)) {
        const size_t quote = list.find('"', at + 2);
        Spot spot{list.substr(at + 2, quote - at - 2)};
        if (quote == std::string::npos || !Pair("[" + list.substr(quote + 2), spot.x, spot.y)) break;
        spots.push_back(spot);
    }
    return spots;
}

int Hearts(const std::string& line) {
    double hearts = -1;
    JsonNumberField(JsonField(line, "hero"), "hearts", hearts);
    return int(hearts);
}

// The nearest thing of `kind` (any hurting kind when empty) within `reach`
// of (x, y); false when there is none.
bool Nearest(const std::string& line, const std::string& kind, double x, double y, double reach, Spot& found) {
    double best = reach;
    bool any = false;
    for (const Spot& spot : Things(line)) {
        if (kind.empty() ? !Hurts(spot.kind) : spot.kind != kind) continue;
        const double distance = std::hypot(spot.x - x, spot.y - y);
        if (distance > best) continue;
        best = distance;
        found = spot;
        any = true;
    }
    return any;
}

bool InView(const std::string& line, const Spot& spot) {
    double cameraX = 0, cameraY = 0;
    if (!Pair(JsonField(line, "camera"), cameraX, cameraY)) return false;
    return spot.x >= cameraX - kInViewMargin && spot.x <= cameraX + kScreenWidth + kInViewMargin &&
           spot.y >= cameraY - kInViewMargin && spot.y <= cameraY + kScreenHeight + kInViewMargin;
}

// Follows the hitter back from the line it was found on while it stays in view.
long StepsInView(const std::vector<std::string>& trace, size_t hitLine, Spot spot) {
    long steps = 0;
    for (size_t line = hitLine + 1; line-- > 0;) {
        if (!Nearest(trace[line], spot.kind, spot.x, spot.y, kStepReach, spot) || !InView(trace[line], spot)) break;
        ++steps;
    }
    return steps;
}
}

std::vector<Hit> HitsInTrace(const std::vector<std::string>& trace) {
    std::vector<Hit> hits;
    for (size_t line = 1; line < trace.size(); ++line) {
        const int before = Hearts(trace[line - 1]), after = Hearts(trace[line]);
        if (before < 0 || after < 0 || after >= before) continue;
        double x = 0, y = 0;
        Spot hitter;
        Hit hit{long(line) + 1, "nothing near"};
        if (Pair(JsonField(trace[line - 1], "player"), x, y) && Nearest(trace[line - 1], "", x, y, 1e9, hitter)) {
            hit.kind = hitter.kind;
            hit.stepsInView = StepsInView(trace, line - 1, hitter);
        }
        hits.push_back(hit);
    }
    return hits;
}
