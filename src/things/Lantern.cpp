#include "things/Lantern.h"
#include "things/StageRecord.h"

namespace {
constexpr int32_t kFlickerSteps = 6;
}

const ThingKind& LanternKind() {
    static const ThingKind kind = PlacedKind(
        "lantern", "a checkpoint: lit when touched, dying brings the hero back to it", {}, MakerOf<Lantern>());
    return kind;
}

Lantern::Lantern(const PlacedThing& placed, ThingStage& stage)
    : Thing(placed, stage), lit_(placed.index && stage.record.litLanterns.count(*placed.index) != 0) {
    SetBoxSize(14.0f, 22.0f);
}

// The checkpoint follows the lantern touched last, also a lit one he went back to.
void Lantern::Update(float) {
    ++steps_;
    if (!HeroTouches()) return;
    Hero().SetCheckpoint(position);
    if (lit_) return;
    lit_ = true;
    if (Index()) stage_.record.litLanterns.insert(*Index());
    art_->lanternWhoosh->Play();
}

void Lantern::Draw() {
    const int32_t frame = lit_ ? ThingArt::kLanternLit + (steps_ / kFlickerSteps) % 2 : ThingArt::kLanternUnlit;
    art_->DrawStanding(frame, ScreenX(position.x), ScreenY(position.y));
}
