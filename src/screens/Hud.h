#pragma once
#include "platform/Sprite.h"
#include "screens/MenuText.h"
#include <cstddef>
#include <cstdint>
#include <optional>

class Player;
struct StageRecord;

// The hearts, lives and whip of a play stage's hero along the top of the
// screen, in icons with a dark outline that read over every background;
// in a stage with gems, a gem and the gems found against the stage's total
// in the middle; and CHECKPOINT under them for a moment when a lantern
// lights, with how far ahead ("-1.23", green) or behind ("+0.40", red) of
// the file's best run the hero lit it. The console grows from the bottom
// and stops well below it.
class Hud {
public:
    static constexpr int32_t kIconSize = 10;
    static constexpr int32_t kTop = 4;
    static constexpr int32_t kHeight = kTop + kIconSize;
    // CHECKPOINT stands a second and a half at 16 ms a step.
    static constexpr int32_t kCheckpointSteps = 94;

    void Load();
    void Release();
    // One step of play: a lantern lit since the last step shows CHECKPOINT.
    void Step(const StageRecord& record);
    void Draw(const Player& hero, const StageRecord& record) const;
    // Steps CHECKPOINT still stands, 0 when it does not.
    int32_t CheckpointSteps() const { return checkpointSteps_; }
    // The lantern lit in this step was lit `steps` steps later (fewer than
    // 0: earlier) in the best run: said under CHECKPOINT while it stands.
    void ShowSplit(int32_t steps);
    // The split shown, if any.
    std::optional<int32_t> Split() const { return checkpointSteps_ > 0 ? split_ : std::nullopt; }

private:
    void DrawRow(int32_t frame, int32_t count, int32_t x) const;
    void DrawGems(const StageRecord& record) const;
    std::optional<Sprite> icons_;
    MenuText text_;
    size_t lanternsLit_ = 0;
    int32_t checkpointSteps_ = 0;
    std::optional<int32_t> split_;
};
