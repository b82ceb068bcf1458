#pragma once

// The level the in-game state loads, as a zero-terminated name ("blk101").
// The main menu writes it when it starts a stage; --level sets it directly.
constexpr int kLevelNameSize = 256;
const char* TheLevelName();

// Copies `name` into the level name, cut to fit with its terminating zero.
void SetLevelName(const char* name);
