#pragma once
#include "base/Vector3.h"
#include "collision/Collision.h"
#include "core/Entity.h"
#include "world/ThingPlacement.h"

class Player;
struct StageRecord;

// Something placed in a play stage. It lives in the stage's entity manager
// after the level and the hero, and meets them through the collision world:
// the hero's body and his whip look for its box in every pass (the things
// themselves do not look, so that a crowd of them costs the pass nothing).
class Thing : public Entity {
public:
    Thing(const PlacedThing& placed, StageRecord& record);
    Thing(const Thing&) = delete;
    Thing& operator=(const Thing&) = delete;

    const PlacedThing& Placed() const { return placed_; }
    const char* KindName() const { return placed_.kind->name; }
    const Collision::Rectangle& Box() const { return box_; }

    // Where the thing is: the middle of its bottom edge, in world pixels.
    Vector3 position;

protected:
    // The box is w by h with its bottom middle at position.
    void SetBoxSize(float width, float height);
    // Puts the box where position now is.
    void PlaceBox();
    // Whether the latest pass found the hero's body in the box.
    bool HeroTouches() const;
    // True once for each crack of the whip that reaches the box.
    bool StruckByWhip();
    // The hero of the stage, or null.
    static Player* Hero();
    // Draw position on the screen of a point of the world.
    static int32_t ScreenX(float x);
    static int32_t ScreenY(float y);
    // Taken for good: it does not come back when the hero does.
    void TakeForGood();
    void RemoveFromStage();

    StageRecord& record_;

private:
    PlacedThing placed_;
    Collision::Rectangle box_{0.0f, 0.0f, 0.0f, 0.0f};
    bool whipWasIn_ = false;
};
