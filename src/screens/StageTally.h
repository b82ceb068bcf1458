#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class Player;
struct SaveFileEntry;
struct StageRecord;

// The figures of a play stage's clear, shown under STAGE CLEAR and traced,
// and whether each beats the played file's best before this clear (a first
// clear's time beats none; --level runs keep no bests, so beat none).
struct StageTally {
    int32_t steps = 0;
    int32_t gemsFound = 0;
    int32_t gemTotal = 0;
    int32_t foesBeaten = 0;
    int32_t foeTotal = 0;
    int32_t hitsTaken = 0;
    int32_t livesLost = 0;
    bool newBestTime = false;
    bool newBestGems = false;
    // Played with an assist: it beats no best and keeps none.
    bool assisted = false;
};

// `played`: the played file as it was before the clear, or null for none
// (and for an assisted clear); `stageRow`: the cleared stage's row of the
// stage table.
StageTally MakeTally(const StageRecord& record, const Player& hero, const SaveFileEntry* played, size_t stageRow);

// One line of the tally: its figure, and the mark after it ("NEW BEST", or
// "ASSIST" on the time of an assisted clear), or null.
struct TallyLine {
    std::string text;
    const char* mark = nullptr;
};
// Time, gems (in a stage that has some), foes (in one that has some), and
// hits and lives lost.
std::vector<TallyLine> TallyLines(const StageTally& tally);
