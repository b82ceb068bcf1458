#include "things/Thing.h"
#include "base/SharedConstants.h"
#include "core/EntityManager.h"
#include "things/StageRecord.h"
#include <cmath>

Thing::Thing(const PlacedThing& placed, ThingStage& stage)
    : position(float(placed.X()), float(placed.Y()), 0.0f), stage_(stage), placed_(placed) {
    box_->category = kThingCategory;
    box_->owner = this;
}

Thing::Thing(const ThingKind& kind, const Vector3& feet, ThingStage& stage)
    : Thing(PlacedThing{&kind, {}, std::nullopt}, stage) {
    position = feet;
}

void Thing::SetBoxSize(float width, float height) {
    box_->SetSize(Vector3(width, height, 0.0f));
    PlaceBox();
}

void Thing::PlaceBox() {
    if (box_) box_->SetPosition(position - Vector3(box_->size.x * 0.5f, box_->size.y, 0.0f));
}

bool Thing::StruckByWhip() {
    const bool in = stage_.hero.WhipIn(this);
    const bool fresh = in && !whipWasIn_;
    whipWasIn_ = in;
    return fresh;
}

void Thing::NoteSight() {
    const Vector3 middle =
        box_ ? Vector3((box_->min.x + box_->max.x) * 0.5f, (box_->min.y + box_->max.y) * 0.5f) : position;
    stepsSeen_ = stage_.view.Shows(middle) ? stepsSeen_ + 1 : 0;
}

bool Thing::HurtHero(int32_t hearts, float fromX, std::optional<int32_t> throwerSeen) {
    if (!stage_.hero.Hurt(hearts, fromX)) return false;
    stage_.hit = HeroHit{KindName(), stepsSeen_, throwerSeen};
    return true;
}

void Thing::TakeForGood() {
    if (placed_.index) stage_.record.takenForGood.insert(*placed_.index);
}

void Thing::RemoveFromStage() {
    if (manager) manager->Remove(this);
}

std::unique_ptr<Thing> MakeThing(const PlacedThing& placed, ThingStage& stage) {
    return placed.kind && placed.kind->make ? placed.kind->make(placed, stage) : nullptr;
}

std::unique_ptr<Thing> MakeThingAt(const ThingKind& kind, const Vector3& feet, ThingStage& stage) {
    PlacedThing made{&kind, {{"x", int32_t(std::lround(feet.x))}, {"y", int32_t(std::lround(feet.y))}}, std::nullopt};
    return MakeThing(made, stage);
}

std::string UnmadeThings(const std::vector<PlacedThing>& placements) {
    std::string line;
    for (const PlacedThing& placed : placements)
        if (!placed.kind || !placed.kind->make)
            line += std::string(line.empty() ? "" : ", ") + "the " + (placed.kind ? placed.kind->name : "unknown") +
                    " marker " + std::to_string(placed.index.value_or(0) + 1);
    return line;
}
