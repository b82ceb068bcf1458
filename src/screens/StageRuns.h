#pragma once
#include "campaign/BestRun.h"
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>

class Player;

// The best runs of a play stage started from a file. While the stage is
// played it records the run, so that a clear with a new best time keeps it;
// the file's kept run of the stage, made on the stage file as it is now,
// shows as a ghost and says at each lantern how far ahead or behind the
// hero is; for WATCH BEST RUN, the kept run's actions play the stage.
class StageRuns {
public:
    // At the stage's entry, before it is built: the played file's kept run
    // of the level (none for --level runs), and whether it is watched.
    void Enter(const char* levelName, bool watch);
    void Leave();
    // The stage's play starts over (built or rebuilt): its run starts at
    // step 0, on the stage file as it is now.
    void Restart();
    // The hero was kept where he stood by a reload: this run cannot be
    // replayed from the start, and is not kept.
    void Spoil() { recording_ = false; }
    // Step `step` of play (1 for the first), made by `update`: its actions
    // are recorded; while watching, the kept run's actions of that step
    // stand in for the player's during it.
    void PlayStep(int32_t step, const std::function<void()>& update);
    // After a step of play: the hero's pose is recorded, and the lanterns
    // the step lit first. Returns how many steps later than the kept run
    // (fewer than 0: earlier) he lit one that it lit too.
    std::optional<int32_t> AfterStep(int32_t step, const Player& hero, const std::set<size_t>& litLanterns);
    // The stage is cleared: a new best time keeps its run for the file.
    void Clear(bool newBestTime);
    // The kept run's hero after step `step`: none while watching, before the
    // first step, after the run's clear and without a run of this stage file.
    std::optional<RunPose> Ghost(int32_t step) const;
    bool Watching() const { return watching_; }

private:
    // The kept run, when it was made on the stage file as it is now.
    const BestRun* Usable() const { return kept_ && kept_->stageFile == run_.stageFile ? &*kept_ : nullptr; }

    std::string level_;
    int32_t identity_ = 0;
    std::optional<BestRun> kept_;
    BestRun run_;
    bool recording_ = false;
    bool watching_ = false;
};
