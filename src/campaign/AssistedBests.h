#pragma once
#include <cstdint>
#include <map>
#include <string>

// The bests of clears made with an assist on, kept apart from the file's own
// bests in the save file: svfile.records/<identity>/assisted beside the
// player's save file, a line a stage, "LEVEL STEPS GEMS" (docs/save-file.md).
struct AssistedBest {
    int32_t steps = 0;  // the fewest steps of an assisted clear; 0 for none
    int32_t gems = 0;   // the most gems of one
};
using AssistedBests = std::map<std::string, AssistedBest>;

// The file of that file's assisted bests beside the save file at `savePath`.
std::string AssistedBestsPath(const std::string& savePath, int32_t identity);
// The bests kept at `path`; none for a missing file, and lines that do not
// read are passed over.
AssistedBests ReadAssistedBests(const std::string& path);
// An assisted clear of `level` by the file of that identity keeps its time
// and gems where they beat the kept ones, read again under the save's lock
// (SaveRecord), writing the file whole; a best is never lowered. Nothing is
// kept without a player's save path.
void KeepAssistedBest(int32_t identity, const std::string& level, int32_t steps, int32_t gems);
