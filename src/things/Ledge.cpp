#include "things/Ledge.h"
#include "base/SharedConstants.h"
#include "player/Player.h"
#include <cmath>

namespace {
// The hero's feet stand this close to a top after the floor pushed them out.
constexpr float kFeetTolerance = 0.5f;
}

Ledge::Ledge(const PlacedThing& placed, StageRecord& record)
    : Thing(placed, record), tiles_(placed.Value("width")), slab_(std::in_place, 0.0f, 0.0f, 0.0f, 0.0f) {
    slab_->category = kLedgeCategory;
    slab_->SetSize(Vector3(Width(), float(kTileSize), 0.0f));
    PlaceSlab();
}

float Ledge::Width() const { return float(tiles_ * kTileSize); }

void Ledge::PlaceSlab() {
    if (slab_) slab_->SetPosition(Vector3(Left(), Top(), 0.0f));
}

// His outer foot probes sit a pixel inside his body's sides.
bool Ledge::HeroStandsOn() const {
    const Player* hero = Hero();
    if (!hero || !slab_) return false;
    const float reach = hero->size.x * 0.5f - 1.0f;
    return std::fabs(hero->position.y - Top()) <= kFeetTolerance && hero->position.x + reach >= Left() &&
           hero->position.x - reach <= Left() + Width();
}

void Ledge::MoveCarrying(const Vector3& move) {
    const bool carrying = HeroStandsOn();
    position += move;
    PlaceSlab();
    if (!carrying) return;
    Player* hero = Hero();
    hero->position += move;
    hero->PlaceShapes();
}

void Ledge::DrawTiles(int32_t frame, float dx, float dy) const {
    for (int32_t tile = 0; tile < tiles_; ++tile)
        art_->DrawHanging(frame, ScreenX(Left() + dx + float(tile * kTileSize)), ScreenY(Top() + dy));
}
