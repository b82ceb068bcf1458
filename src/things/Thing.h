#pragma once
#include "base/Vector3.h"
#include "collision/Collision.h"
#include "core/Entity.h"
#include "player/HeroContact.h"
#include "things/ThingPlacement.h"
#include "world/Camera.h"
#include <optional>

struct StageRecord;
namespace LevelNamespace {
class Level;
}

// A hit that cost the hero hearts: what hit him, and on how many steps on end
// before it the screen had shown it; for a thrown bone also how long the
// screen had shown its thrower when it threw.
struct HeroHit {
    const char* kind = "";
    int32_t seen = 0;
    std::optional<int32_t> throwerSeen;
};

// What a play stage gives the things in it: its record, its level's tiles
// (null before it has one), the hero, and what the screen shows of the
// stage. The things tell it the hit the hero took in the step, if any.
struct ThingStage {
    StageRecord& record;
    const LevelNamespace::Level* level = nullptr;
    HeroContact hero{};
    ScreenView view{};
    std::optional<HeroHit> hit{};
};

// Something placed in a play stage, or made there by another thing. It lives
// in the stage's entity manager after the level and the hero, and meets them
// through the collision world: the hero's body and his whip look for its box
// in every pass (the things themselves do not look, so that a crowd of them
// costs the pass nothing).
class Thing : public Entity {
public:
    Thing(const PlacedThing& placed, ThingStage& stage);
    // One another thing makes in play, at `feet`, its fields at the kind's defaults.
    Thing(const ThingKind& kind, const Vector3& feet, ThingStage& stage);
    Thing(const Thing&) = delete;
    Thing& operator=(const Thing&) = delete;

    const ThingKind& Kind() const { return *placed_.kind; }
    const char* KindName() const { return placed_.kind->name; }
    // Its marker's place among the stage's things; none for one made in play.
    std::optional<size_t> Index() const { return placed_.index; }
    // Null once the thing has left the collision world.
    const Collision::Rectangle* Box() const { return box_ ? &*box_ : nullptr; }
    // On how many steps on end, up to the last picture drawn, the screen has
    // shown the middle of its box (0 for a thing that does not count them).
    int32_t StepsSeen() const { return stepsSeen_; }
    // Nothing may harm the hero before the screen has shown it this long:
    // half a second.
    static constexpr int32_t kSeenBeforeHarm = 30;

    // Where the thing is: the middle of its bottom edge, in world pixels.
    Vector3 position;

protected:
    // A field of its marker, or the kind's default.
    int32_t Field(const char* key) const { return placed_.Value(key); }
    // The box is w by h with its bottom middle at position.
    void SetBoxSize(float width, float height);
    // Puts the box where position now is.
    void PlaceBox();
    // The box leaves the collision world (and the outlines) for good.
    void DropBox() { box_.reset(); }
    // Whether the latest pass found the hero's body in the box.
    bool HeroTouches() const { return stage_.hero.Touches(this); }
    // Counts StepsSeen: once a step, before the thing moves, so that its box
    // is where the last picture showed it.
    void NoteSight();
    bool SeenLongEnough() const { return stepsSeen_ >= kSeenBeforeHarm; }
    // A hit from x = fromX (see Player::Hurt); one that counted is told to the
    // stage with how long this thing had been seen.
    bool HurtHero(int32_t hearts, float fromX, std::optional<int32_t> throwerSeen = std::nullopt);
    // True once for each crack of the whip that reaches the box.
    bool StruckByWhip();
    HeroContact& Hero() { return stage_.hero; }
    const HeroContact& Hero() const { return stage_.hero; }
    const LevelNamespace::Level* StageLevel() const { return stage_.level; }
    // Draw position on the screen of a point of the world.
    int32_t ScreenX(float x) const { return stage_.view.ScreenX(x); }
    int32_t ScreenY(float y) const { return stage_.view.ScreenY(y); }
    // Taken for good: it does not come back when the hero does.
    void TakeForGood();
    void RemoveFromStage();

    ThingStage& stage_;

private:
    PlacedThing placed_;
    std::optional<Collision::Rectangle> box_{std::in_place, 0.0f, 0.0f, 0.0f, 0.0f};
    bool whipWasIn_ = false;
    int32_t stepsSeen_ = 0;
};

// The thing of a placement's kind, or null for a kind the game cannot make.
std::unique_ptr<Thing> MakeThing(const PlacedThing& placed, ThingStage& stage);
// A thing of a kind made in play at the whole pixel nearest `feet`, as a
// marker would place it (a dropped heart), its fields at their defaults.
std::unique_ptr<Thing> MakeThingAt(const ThingKind& kind, const Vector3& feet, ThingStage& stage);
// One status line's text naming the placements whose kind the game cannot
// make ("" when it can make them all).
std::string UnmadeThings(const std::vector<PlacedThing>& placements);
