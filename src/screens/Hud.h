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
// lights. The console grows from the bottom and stops well below it.
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

private:
    void DrawRow(int32_t frame, int32_t count, int32_t x) const;
    void DrawGems(const StageRecord& record) const;
    std::optional<Sprite> icons_;
    MenuText text_;
    size_t lanternsLit_ = 0;
    int32_t checkpointSteps_ = 0;
};
