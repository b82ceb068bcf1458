#pragma once
#include <string>
#include <vector>

// The two ways of playing a stage without looking at it that must not clear
// it: Right held from the start with jump held, or with jump pressed for 15
// of every 30 steps. Each is a movie of kMashSteps steps; the outcome of one
// is read from its trace.

constexpr long kMashSteps = 3000;

struct Masher {
    const char* name;
    std::string movie;  // the movie's text
};

std::vector<Masher> Mashers();

struct MashOutcome {
    long clearedOn = 0;   // the step of the clear; 0 when the stage was not cleared
    long gameOverOn = 0;  // the step the game was over; 0 when it was not
    double furthest = 0;  // the hero's largest x while the stage was played
};

// What a masher's trace shows of the stage, up to the game over.
MashOutcome MashOutcomeOf(const std::vector<std::string>& trace);
