#include "things/Spikes.h"
#include "base/SharedConstants.h"

namespace {
// The last few pixels of each end do not hurt: grazing a row's corner is forgiven.
constexpr float kEndMercy = 3.0f;
}

const ThingKind& SpikesKind() {
    static const ThingKind kind = PlacedKind(
        "spikes", "spikes that cost a heart and push the hero back",
        {{"width", 1, 40, 1, "tiles wide, centred on x"}, {"ceiling", 0, 1, 0, "1: hangs from a ceiling, points down"}},
        MakerOf<Spikes>());
    return kind;
}

Spikes::Spikes(const PlacedThing& placed, ThingStage& stage)
    : Thing(placed, stage), tiles_(Field("width")), hanging_(Field("ceiling") != 0) {
    SetBoxSize(float(tiles_ * kTileSize) - 2.0f * kEndMercy, float(kHeight));
}

// The blow comes from just ahead of him, so he is knocked back out.
void Spikes::Update(float) {
    NoteSight();
    if (HeroTouches()) HurtHero(1, Hero().Feet().x + float(Hero().Facing()));
}

void Spikes::Draw() {
    const float left = position.x - float(tiles_ * kTileSize) * 0.5f;
    for (int32_t tile = 0; tile < tiles_; ++tile) {
        const float tileLeft = left + float(tile * kTileSize);
        if (hanging_) art_->DrawHanging(ThingArt::kSpikesDown, ScreenX(tileLeft), ScreenY(position.y - float(kHeight)));
        else art_->DrawStanding(ThingArt::kSpikesUp, ScreenX(tileLeft + float(kTileSize / 2)), ScreenY(position.y));
    }
}
