#pragma once
#include <cstdint>

// What the player's assists change in a play stage (never in a stage played
// by the engine's rules): the pace of the steps (every rule still counts in
// steps), hearts added to a full life, and lives that are not used up.
struct PlayAssists {
    static constexpr int32_t kFullSpeed = 100;

    int32_t speedPercent = kFullSpeed;
    int32_t extraHearts = 0;
    bool keepLives = false;

    bool Any() const { return speedPercent != kFullSpeed || extraHearts != 0 || keepLives; }
};

// The assists of this run, as the settings set them.
PlayAssists& ThePlayAssists();
