#pragma once
#include "base/SharedConstants.h"
#include "collision/Collision.h"
#include "things/Thing.h"
#include "things/ThingArt.h"
#include "things/SharedArt.h"
#include <memory>
#include <optional>

// A platform of `width` tiles that stands where a row of ledge tiles would:
// centred on x, a tile high, its top (where the hero stands) a tile above y.
// Like a ledge tile only his feet feel it, from above: he jumps up through
// it and drops through it with Down and jump.
class Ledge : public Thing {
public:
    // Under the hero, as ledge tiles are.
    DrawLayer Layer() const override { return DrawLayer::Ground; }
    // Whether it is in the collision world, for the hero to stand on.
    bool Holds() const { return slab_.has_value(); }

protected:
    Ledge(const PlacedThing& placed, ThingStage& stage);

    float Width() const;
    float Left() const { return position.x - Width() * 0.5f; }
    float Top() const { return position.y - float(kTileSize); }
    // Whether the hero's feet rest on its top now.
    bool HeroStandsOn() const;
    // Moves the ledge, and the hero with it when he stands on it.
    void MoveCarrying(const Vector3& move);
    // The ledge leaves the collision world; the picture stays with the thing.
    void FallAway() { slab_.reset(); }
    // Back in the collision world at its place.
    void Restore();
    // Whether the hero's body overlaps the ledge's place.
    bool HeroInside() const;
    // Every tile in one frame, moved by (dx, dy) from its place.
    void DrawTiles(int32_t frame, float dx, float dy) const;

    std::shared_ptr<ThingArt> art_ = ShareArt<ThingArt>();

private:
    void MakeSlab();
    void PlaceSlab();

    int32_t tiles_;
    std::optional<Collision::Rectangle> slab_;
};
