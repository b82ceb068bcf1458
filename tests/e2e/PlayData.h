#pragma once
#include "support/RunGame.h"
#include <string>
#include <vector>

// Helpers for the tests that play the game through its screens: a private
// copy of the built data to change, save files, a stage the hero falls out
// of, movies and the trace of a run.

// A copy of the built data directory in a fresh temporary directory.
std::string CopyOfBuiltData();
// Writes "svfile" with the given "NAME:STAGE" files through duskhold-save.
void WriteSaveFile(const std::string& dataDir, const std::vector<std::string>& files);
// Compiles the level source `text` to levels\<name>.
void CompileStage(const std::string& dataDir, const std::string& levelName, const std::string& text);
// Replaces levels\<name> with a stage without a floor: the hero starts at
// (160, 48) and falls out of the 240-pixel-high bounds at once. The stage
// loads the animated tile pictures numbered in `animatedTiles` ("10 11").
void WriteBottomlessStage(const std::string& dataDir, const std::string& levelName,
                          const std::string& animatedTiles = "");
// Replaces levels\<name> with a stage of 14 by 14 cells whose six lowest rows
// are ground: the hero starts on it at (240, 192), and right held alone takes
// him over the exit line at 312 px on his 37th step. The bounds reach 144
// pixels below the grid, where a hero sunk through the ground still plays.
// `play`: lines of play data, each with its line feed ("play\nthing ...\n").
void WriteFloorStage(const std::string& dataDir, const std::string& levelName, const std::string& play = "");

// A key held from `step` for `steps` steps ("z" ButtonA, "x" ButtonB,
// "down", "up").
struct KeyHold {
    long step;
    std::string key;
    long steps;
};
std::string MovieText(const std::vector<KeyHold>& holds);

struct Play {
    RunResult run;
    std::vector<std::string> trace;  // line i is step i + 1
};
// Runs the game for `steps` steps in a 320 by 240 window on `dataDir` with
// the movie; sound goes to a silent device so that the sound counts are real,
// unless `env` (variables NAME=VALUE) chooses another.
// `watch` sees the output as it comes (RunProgram).
Play PlayMovie(const std::string& dataDir, const std::vector<KeyHold>& holds, long steps,
               const std::vector<std::string>& extraArgs = {},
               const std::vector<std::string>& env = {"SDL_AUDIODRIVER=dummy"},
               const std::function<void(const std::string& output)>& watch = nullptr);

// How often `part` occurs in `text` (status lines in a run's output).
size_t Count(const std::string& text, const std::string& part);

// The trace line of a step (1-based); empty past the end.
std::string StepLine(const Play& play, long step);
// The first step from `from` on whose `field` has the raw JSON `value`; 0 if none.
long FirstStep(const Play& play, const std::string& field, const std::string& value, long from = 1);

// From the menu entered on `menuStep` through GAME START and SELECT FILE to
// the file list, which opens 159 steps later with the cursor on PLAY.
std::vector<KeyHold> MenuToFileList(long menuStep);
constexpr long kMenuToFileList = 159;
// The same from the title: a button held at step 1 leaves the title on step
// 41 and the menu comes on step 161.
std::vector<KeyHold> ToFileList();
constexpr long kMenuStep = 161;
constexpr long kFileListStep = kMenuStep + kMenuToFileList;
