#include "screens/Hud.h"
#include "base/SharedConstants.h"
#include "player/Player.h"

namespace {
enum IconFrame : int32_t { kFullHeart = 0, kEmptyHeart = 1, kLife = 2, kFirstWhip = 3 };
constexpr int32_t kSpacing = Hud::kIconSize + 1;
constexpr int32_t kEdge = 4;
constexpr int32_t kWhipX = kScreenWidth - kEdge - Hud::kIconSize;
}

void Hud::Load() { icons_.emplace("sprites\\hud.png", Colors::White, kIconSize, kIconSize); }

void Hud::Release() { icons_.reset(); }

// Hearts from the left, full ones first; the whip at the right edge, and
// the lives left of it, one head each.
void Hud::Draw(const Player& hero) const {
    if (!icons_ || !hero.Playing()) return;
    DrawRow(kFullHeart, hero.Hearts(), kEdge);
    DrawRow(kEmptyHeart, hero.MaxHearts() - hero.Hearts(), kEdge + hero.Hearts() * kSpacing);
    icons_->Draw(kWhipX, kTop, kFirstWhip + hero.TheWhip().Level() - 1, 0, 1.0f, 0, Color(0));
    DrawRow(kLife, hero.Lives(), kWhipX - kEdge - hero.Lives() * kSpacing);
}

void Hud::DrawRow(int32_t frame, int32_t count, int32_t x) const {
    for (int32_t i = 0; i < count; ++i) icons_->Draw(x + i * kSpacing, kTop, frame, 0, 1.0f, 0, Color(0));
}
