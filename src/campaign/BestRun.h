#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The hero as a step of a run left him: his feet, the frame of his sheet he
// was drawn with and the way he faced (1 right, -1 left).
struct RunPose {
    float x = 0.0f, y = 0.0f;
    int32_t frame = 0;
    int32_t facing = 1;
    bool operator==(const RunPose& o) const { return x == o.x && y == o.y && frame == o.frame && facing == o.facing; }
    bool operator!=(const RunPose& o) const { return !(*this == o); }
};

// The actions a step of a run took, as the stage saw them: the held mask
// and the play actions held.
struct RunInput {
    uint32_t held = 0;
    uint32_t playHeld = 0;
    bool operator==(const RunInput& o) const { return held == o.held && playHeld == o.playHeld; }
    bool operator!=(const RunInput& o) const { return !(*this == o); }
};

// The run of a play stage that made a file's best time, from the stage's
// first step to its clear: the movie of its actions, the hero's pose after
// each step (the ghost), the step on which each lantern was first lit, and
// the stage file it was played on, so that a changed stage is noticed.
struct BestRun {
    std::string level;
    uint32_t stageFile = 0;              // StageFileHash of the level file
    std::vector<RunInput> inputs;        // step 1 at [0]
    std::vector<RunPose> poses;          // as many as inputs
    std::map<size_t, int32_t> lanterns;  // a lantern's place among the stage's things: its step

    int32_t Steps() const { return int32_t(poses.size()); }
};

// A longer run (an hour) is not kept: its file would grow past a few megabytes.
constexpr int32_t kMaxRunSteps = 225000;
constexpr size_t kMaxRunFileBytes = 16u << 20;

// The run as the text of its file (docs/save-file.md): a step's actions and
// pose are written only when they differ from the step before.
std::string BestRunText(const BestRun& run);
// Reads such a text whole; false, with what is wrong (and its line), for
// anything else.
bool ReadBestRun(const std::string& text, BestRun& run, std::string& why);
