#include "screens/StageRuns.h"
#include "campaign/BestRunRecords.h"
#include "campaign/SaveProgress.h"
#include "platform/Input.h"
#include "player/Player.h"

void StageRuns::Enter(const char* levelName, bool watch) {
    level_ = levelName;
    identity_ = PlayedFileIdentity();
    watching_ = watch;
    BestRun kept;
    kept_.reset();
    if (FindBestRun(identity_, levelName, &kept) != KeptRun::None) kept_ = std::move(kept);
}

void StageRuns::Leave() {
    kept_.reset();
    run_ = BestRun();
    recording_ = watching_ = false;
}

void StageRuns::Restart() {
    run_ = BestRun();
    run_.level = level_;
    run_.stageFile = StageFileHash(level_.c_str());
    recording_ = identity_ != 0 && !watching_;
}

// The live actions come back after a watched step, so that the input's own
// held mask, which its events change, stays the player's.
void StageRuns::PlayStep(int32_t step, const std::function<void()>& update) {
    Input& input = TheInput();
    if (step > kMaxRunSteps) recording_ = false;
    if (recording_ && size_t(step) == run_.inputs.size() + 1) run_.inputs.push_back({input.held, input.playHeld});
    if (!watching_) return update();
    const RunInput live{input.held, input.playHeld};
    const BestRun* kept = Usable();
    const RunInput taken = kept && step <= kept->Steps() ? kept->inputs[size_t(step - 1)] : RunInput();
    input.held = taken.held;
    input.playHeld = taken.playHeld;
    update();
    input.held = live.held;
    input.playHeld = live.playHeld;
}

std::optional<int32_t> StageRuns::AfterStep(int32_t step, const Player& hero, const std::set<size_t>& litLanterns) {
    if (recording_ && size_t(step) == run_.poses.size() + 1)
        run_.poses.push_back({hero.position.x, hero.position.y, hero.BodyFrame(), hero.Facing()});
    std::optional<int32_t> split;
    const BestRun* kept = watching_ ? nullptr : Usable();
    for (size_t lantern : litLanterns)
        if (run_.lanterns.emplace(lantern, step).second && kept && kept->lanterns.count(lantern))
            split = step - kept->lanterns.at(lantern);
    return split;
}

void StageRuns::Clear(bool newBestTime) {
    if (newBestTime && recording_ && run_.inputs.size() == run_.poses.size() && !run_.poses.empty())
        KeepBestRun(identity_, run_);
}

std::optional<RunPose> StageRuns::Ghost(int32_t step) const {
    const BestRun* kept = watching_ ? nullptr : Usable();
    if (!kept || step < 1 || step > kept->Steps()) return std::nullopt;
    return kept->poses[size_t(step - 1)];
}
