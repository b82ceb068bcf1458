#include "routewindow/Mashers.h"
#include "json/JsonField.h"
#include <algorithm>
#include <cstdlib>

namespace {
constexpr long kPulseSteps = 30;
constexpr long kPulseHeld = 15;

// Right and jump go down on the first step; the rest of the movie follows.
std::string MashMovie(const std::string& jumps) { return "duskhold-movie 1\n1 down right\n" + jumps; }

std::string PulsedJumps() {
    std::string jumps;
    for (long step = 1; step <= kMashSteps; step += kPulseSteps)
        jumps += std::to_string(step) + " down x\n" + std::to_string(step + kPulseHeld) + " up x\n";
    return jumps;
}
}

std::vector<Masher> Mashers() {
    return {{"jump held", MashMovie("1 down x\n")}, {"jump pulsed", MashMovie(PulsedJumps())}};
}

MashOutcome MashOutcomeOf(const std::vector<std::string>& trace) {
    MashOutcome outcome;
    for (size_t line = 0; line < trace.size(); ++line) {
        const long step = long(line) + 1;
        if (JsonField(trace[line], "state") == "\"gameover\"") {
            outcome.gameOverOn = step;
            break;
        }
        if (!JsonField(trace[line], "clear").empty()) {
            outcome.clearedOn = step;
            break;
        }
        const std::string player = JsonField(trace[line], "player");
        if (player.size() > 1) outcome.furthest = std::max(outcome.furthest, std::strtod(player.c_str() + 1, nullptr));
    }
    return outcome;
}
