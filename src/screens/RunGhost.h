#pragma once
#include "core/Entity.h"

class StageRuns;
struct StageRecord;

// The ghost of the file's best run of the stage: the hero's figure,
// translucent, as the run's hero stood after the step the stage is at. It
// lies on the ground layer, so that the hero and the things stand in front
// of it, and it touches nothing.
class RunGhost : public Entity {
public:
    RunGhost(const StageRuns& runs, const StageRecord& record) : runs_(runs), record_(record) {}
    void Update(float) override {}
    void Draw() override;
    DrawLayer Layer() const override { return DrawLayer::Ground; }

private:
    const StageRuns& runs_;
    const StageRecord& record_;
};
