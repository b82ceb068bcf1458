#include "things/Ledge.h"
#include "base/SharedConstants.h"
#include <cmath>

namespace {
// The hero's feet stand this close to a top after the floor pushed them out.
constexpr float kFeetTolerance = 0.5f;
}

Ledge::Ledge(const PlacedThing& placed, ThingStage& stage) : Thing(placed, stage), tiles_(Field("width")) {
    MakeSlab();
}

void Ledge::MakeSlab() {
    slab_.emplace(0.0f, 0.0f, 0.0f, 0.0f);
    slab_->category = kLedgeCategory;
    slab_->SetSize(Vector3(Width(), float(kTileSize), 0.0f));
    PlaceSlab();
}

void Ledge::Restore() {
    if (!slab_) MakeSlab();
}

float Ledge::Width() const { return float(tiles_ * kTileSize); }

void Ledge::PlaceSlab() {
    if (slab_) slab_->SetPosition(Vector3(Left(), Top(), 0.0f));
}

// His outer foot probes sit a pixel inside his body's sides.
bool Ledge::HeroStandsOn() const {
    if (!Hero().Present() || !slab_) return false;
    const Vector3 feet = Hero().Feet();
    const float reach = Hero().Size().x * 0.5f - 1.0f;
    return std::fabs(feet.y - Top()) <= kFeetTolerance && feet.x + reach >= Left() &&
           feet.x - reach <= Left() + Width();
}

bool Ledge::HeroInside() const {
    if (!Hero().Present()) return false;
    const Vector3 feet = Hero().Feet();
    const float half = Hero().Size().x * 0.5f;
    return feet.x + half > Left() && feet.x - half < Left() + Width() && feet.y > Top() &&
           feet.y - Hero().Size().y < Top() + float(kTileSize);
}

void Ledge::MoveCarrying(const Vector3& move) {
    const bool carrying = HeroStandsOn();
    position += move;
    PlaceSlab();
    if (carrying) Hero().Carry(move);
}

void Ledge::DrawTiles(int32_t frame, float dx, float dy) const {
    for (int32_t tile = 0; tile < tiles_; ++tile)
        art_->DrawHanging(frame, ScreenX(Left() + dx + float(tile * kTileSize)), ScreenY(Top() + dy));
}
