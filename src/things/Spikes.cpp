#include "things/Spikes.h"
#include "base/SharedConstants.h"
#include "player/Player.h"

namespace {
// The last few pixels of each end do not hurt: grazing a row's corner is forgiven.
constexpr float kEndMercy = 3.0f;
}

Spikes::Spikes(const PlacedThing& placed, StageRecord& record)
    : Thing(placed, record), tiles_(placed.Value("width")), hanging_(placed.Value("ceiling") != 0) {
    SetBoxSize(float(tiles_ * kTileSize) - 2.0f * kEndMercy, float(kHeight));
}

// The blow comes from just ahead of him, so he is knocked back out.
void Spikes::Update(float) {
    Player* hero = Hero();
    if (hero && HeroTouches()) hero->Hurt(1, hero->position.x + float(hero->Facing()));
}

void Spikes::Draw() {
    const float left = position.x - float(tiles_ * kTileSize) * 0.5f;
    for (int32_t tile = 0; tile < tiles_; ++tile) {
        const float tileLeft = left + float(tile * kTileSize);
        if (hanging_) art_->DrawHanging(ThingArt::kSpikesDown, ScreenX(tileLeft), ScreenY(position.y - float(kHeight)));
        else art_->DrawStanding(ThingArt::kSpikesUp, ScreenX(tileLeft + float(kTileSize / 2)), ScreenY(position.y));
    }
}
