#include "things/Lantern.h"
#include "player/Player.h"
#include "things/StageRecord.h"

namespace {
constexpr int32_t kFlickerSteps = 6;
}

Lantern::Lantern(const PlacedThing& placed, StageRecord& record)
    : Thing(placed, record), lit_(record.litLanterns.count(placed.index) != 0) {
    SetBoxSize(14.0f, 22.0f);
}

// The checkpoint follows the lantern touched last, also a lit one he went back to.
void Lantern::Update(float) {
    ++steps_;
    Player* hero = Hero();
    if (!hero || !HeroTouches()) return;
    hero->SetCheckpoint(position);
    if (lit_) return;
    lit_ = true;
    record_.litLanterns.insert(Placed().index);
    art_->lanternWhoosh->Play();
}

void Lantern::Draw() {
    const int32_t frame = lit_ ? ThingArt::kLanternLit + (steps_ / kFlickerSteps) % 2 : ThingArt::kLanternUnlit;
    art_->DrawStanding(frame, ScreenX(position.x), ScreenY(position.y));
}
