#include "things/Thing.h"
#include "base/SharedConstants.h"
#include "core/EntityManager.h"
#include "player/Player.h"
#include "things/StageRecord.h"
#include "world/Camera.h"

Thing::Thing(const PlacedThing& placed, StageRecord& record)
    : position(float(placed.X()), float(placed.Y()), 0.0f), record_(record), placed_(placed) {
    box_.category = kThingCategory;
    box_.owner = this;
}

void Thing::SetBoxSize(float width, float height) {
    box_.SetSize(Vector3(width, height, 0.0f));
    PlaceBox();
}

void Thing::PlaceBox() { box_.SetPosition(position - Vector3(box_.size.x * 0.5f, box_.size.y, 0.0f)); }

bool Thing::HeroTouches() const {
    const Player* hero = ThePlayer();
    if (!hero) return false;
    for (const Collision::ICollision* hit : hero->bodyBox.hits)
        if (hit->owner == this) return true;
    return false;
}

bool Thing::StruckByWhip() {
    const Player* hero = ThePlayer();
    const bool in = hero && hero->TheWhip().Struck(this);
    const bool fresh = in && !whipWasIn_;
    whipWasIn_ = in;
    return fresh;
}

Player* Thing::Hero() { return ThePlayer(); }

int32_t Thing::ScreenX(float x) { return int32_t(x - TheCamera().X()); }
int32_t Thing::ScreenY(float y) { return int32_t(y - TheCamera().Y()); }

void Thing::TakeForGood() { record_.takenForGood.insert(placed_.index); }

void Thing::RemoveFromStage() {
    if (manager) manager->Remove(this);
}
