#pragma once
#include "campaign/BestRun.h"
#include <cstdint>
#include <string>

// Where the best runs of the player's files are kept: one file a stage in a
// folder a file, named after its identity, beside the player's save file:
// svfile.records/<identity>/<level>.run (docs/save-file.md). Never beside
// the shipped svfile: the player's save path is the only one written.

// The file of that file's run of the level; "" when the system names no
// folder for the player's save file.
std::string BestRunPath(int32_t identity, const std::string& level);
// FNV-1a of the level file's bytes, as a run keeps it; 0 when it cannot be read.
uint32_t StageFileHash(const char* levelName);

// What a file keeps of a stage: no run (none kept, or one that does not
// read, named once a run on a status line), a run of the stage as its file
// is now, or one made on another version of the stage file.
enum class KeptRun { None, Kept, Changed };
// The kept run of the file (by identity) and level, in `run` unless `run` is null.
KeptRun FindBestRun(int32_t identity, const char* levelName, BestRun* run = nullptr);
// Writes `run` whole (a temporary file renamed over the old one) as the
// file's run of its level, under the save's lock (SaveRecord), unless the
// run kept for the same stage file, read again there, already takes no more
// steps (another game's better clear). Until it is written, and for the rest
// of the game's run when it cannot be (one status line says why), it is kept
// in memory and found there.
void KeepBestRun(int32_t identity, const BestRun& run);
// The file of that identity is erased: its runs go with it.
void ForgetBestRuns(int32_t identity);

// WATCH BEST RUN: the next stage to start plays the file's kept run instead
// of the player; taken once by that stage.
void AskToWatchRun(bool watch);
bool TakeWatchRun();
