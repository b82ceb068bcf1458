#include "screens/Hud.h"
#include "base/SharedConstants.h"
#include "core/StepPacer.h"
#include "player/Player.h"
#include "things/StageRecord.h"
#include <string>

namespace {
enum IconFrame : int32_t { kFullHeart = 0, kEmptyHeart = 1, kLife = 2, kFirstWhip = 3, kGem = 6 };
constexpr int32_t kSpacing = Hud::kIconSize + 1;
constexpr int32_t kEdge = 4;
constexpr int32_t kWhipX = kScreenWidth - kEdge - Hud::kIconSize;
// The count's letters stand a pixel lower than the icons, whose outline
// takes a pixel above and below.
constexpr int32_t kCountY = Hud::kTop + 1;
constexpr int32_t kCheckpointY = Hud::kHeight + 10;
constexpr int32_t kSplitY = kCheckpointY + 10;
constexpr Color kAheadTint = Color::FromBytes(110, 255, 110, 255);
constexpr Color kBehindTint = Color::FromBytes(255, 110, 90, 255);

// Seconds and hundredths, with their sign: "-1.23", "+0.40".
std::string SplitText(int32_t steps) {
    const long hundredths = long(steps < 0 ? -steps : steps) * long(StepPacer::kStepMs) / 10;
    return (steps < 0 ? "-" : "+") + std::to_string(hundredths / 100) + "." + std::to_string(hundredths % 100 / 10) +
           std::to_string(hundredths % 10);
}
}

void Hud::Load() {
    icons_.emplace("sprites\\hud.png", Colors::White, kIconSize, kIconSize);
    text_.Load();
    lanternsLit_ = 0;
    checkpointSteps_ = 0;
    split_.reset();
}

void Hud::Release() {
    icons_.reset();
    text_.Release();
    checkpointSteps_ = 0;
}

// A stage rebuilt (F5, F6) starts its record again: it lights nothing.
void Hud::Step(const StageRecord& record) {
    if (checkpointSteps_ > 0) --checkpointSteps_;
    if (record.litLanterns.size() > lanternsLit_) {
        checkpointSteps_ = kCheckpointSteps;
        split_.reset();
    }
    lanternsLit_ = record.litLanterns.size();
}

void Hud::ShowSplit(int32_t steps) { split_ = steps; }

// Hearts from the left, full ones first; the whip at the right edge, and
// the lives left of it, one head each.
void Hud::Draw(const Player& hero, const StageRecord& record) const {
    if (!icons_ || !hero.Playing()) return;
    DrawRow(kFullHeart, hero.Hearts(), kEdge);
    DrawRow(kEmptyHeart, hero.MaxHearts() - hero.Hearts(), kEdge + hero.Hearts() * kSpacing);
    icons_->Draw(kWhipX, kTop, kFirstWhip + hero.TheWhip().Level() - 1, 0, 1.0f, 0, Color(0));
    DrawRow(kLife, hero.Lives(), kWhipX - kEdge - hero.Lives() * kSpacing);
    DrawGems(record);
    if (checkpointSteps_ == 0) return;
    text_.DrawCentred("CHECKPOINT", kCheckpointY, true);
    if (!split_) return;
    const std::string split = SplitText(*split_);
    const int32_t x = (kScreenWidth - int32_t(split.size()) * MenuText::kLetterWidth) / 2;
    text_.Draw(split, x, kSplitY, false, *split_ < 0 ? kAheadTint : kBehindTint);
}

void Hud::DrawRow(int32_t frame, int32_t count, int32_t x) const {
    for (int32_t i = 0; i < count; ++i) icons_->Draw(x + i * kSpacing, kTop, frame, 0, 1.0f, 0, Color(0));
}

// The icon and "2/4" centred together across the screen.
void Hud::DrawGems(const StageRecord& record) const {
    if (record.gemTotal == 0) return;
    const std::string count = std::to_string(record.gemsFound) + "/" + std::to_string(record.gemTotal);
    const int32_t width = kSpacing + 1 + int32_t(count.size()) * MenuText::kLetterWidth;
    const int32_t x = (kScreenWidth - width) / 2;
    icons_->Draw(x, kTop, kGem, 0, 1.0f, 0, Color(0));
    text_.Draw(count, x + kSpacing + 1, kCountY, true);
}
