#include "screens/RunGhost.h"
#include "base/Color.h"
#include "player/Player.h"
#include "screens/StageRuns.h"
#include "things/StageRecord.h"

namespace {
// A pale blue, half seen through.
constexpr Color kGhostTint = Color::FromBytes(150, 190, 255, 120);
}

void RunGhost::Draw() {
    const Player* hero = ThePlayer();
    const std::optional<RunPose> pose = runs_.Ghost(record_.steps);
    if (hero && pose) hero->DrawBody(Vector3(pose->x, pose->y, 0.0f), pose->frame, pose->facing, kGhostTint);
}
