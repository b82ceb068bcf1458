#pragma once
#include <functional>
#include <string>
#include <vector>

// Replays of a stage by the real game, several at once: each plays a movie
// from the stage's start with --fast --unseen and writes its trace.

struct GameRun {
    std::string game;     // the game binary
    std::string data;     // its data directory; "" for the one it finds itself
    std::string level;    // the stage
    std::string workDir;  // where the movies and traces go
};

struct Replay {
    std::string movie;  // the movie's text
    long steps = 0;     // the game ends after this step
    size_t tag = 0;     // the caller's own
};

// Runs replays, at most `jobs` at once, until `next` has none to start and
// all have ended: `next` fills in the next one (false: none now), `ended`
// gets each one's trace lines (none when the game failed).
void RunReplays(const GameRun& run, int jobs, const std::function<bool(Replay&)>& next,
                const std::function<void(const Replay&, const std::vector<std::string>&)>& ended);
