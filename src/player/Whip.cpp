#include "player/Whip.h"
#include "base/SharedConstants.h"
#include <algorithm>

namespace {
// The lash leaves the hand, 17 pixels ahead of the middle, and is as thick
// as its swing through the stretched frames; the drawn lashes reach 48, 64
// and 80 pixels from the hand. The box starts at the hero's middle, so a foe
// pressed against him (or inside him, while he is untouchable) is hit too.
// Aimed up, the hand is 15 ahead and 35 up, and the lash rises at 45 degrees.
constexpr float kHandAhead = 17.0f;
constexpr float kThickness = 12.0f;
constexpr float kStandingHandHeight = 26.0f;
constexpr float kCrouchingHandHeight = 19.0f;
constexpr float kUpHandAhead = 15.0f;
constexpr float kUpHandHeight = 35.0f;
constexpr float kUpSlant = 0.7071f;
constexpr float kReaches[Whip::kLevels] = {65.0f, 81.0f, 97.0f};
}

float Whip::Reach(int32_t level) { return kReaches[std::clamp(level, 1, kLevels) - 1]; }

Collision::Rectangle Whip::HitBox(const Vector3& feet, int32_t facing, int32_t level, Aim aim) {
    const float lash = Reach(level) - kHandAhead;
    float ahead = Reach(level), top = 0.0f, height = kThickness;
    if (aim == Aim::Up) {
        ahead = kUpHandAhead + lash * kUpSlant;
        // It rises from the chest, so the box reaches down to the level lash.
        top = feet.y - kUpHandHeight - lash * kUpSlant - kThickness * 0.5f;
        height = feet.y - kStandingHandHeight + kThickness * 0.5f - top;
    } else {
        top = feet.y - (aim == Aim::Low ? kCrouchingHandHeight : kStandingHandHeight) - kThickness * 0.5f;
    }
    const float left = facing > 0 ? feet.x : feet.x - ahead;
    return Collision::Rectangle(left, top, ahead, height, true);
}

bool Whip::Crack(Aim aim) {
    if (Active()) return false;
    step_ = 0;
    aim_ = aim;
    return true;
}

void Whip::Update(const Vector3& feet, int32_t facing) {
    if (!Active()) return;
    const bool hitting = step_ >= kFirstHitStep && step_ <= kLastHitStep;
    if (!hitting) {
        box_.reset();
    } else {
        Collision::Rectangle place = HitBox(feet, facing, level_, aim_);
        if (!box_) {
            box_.emplace(place.min.x, place.min.y, place.size.x, place.size.y);
            box_->category = kWhipCategory;
            box_->SetMask(kThingCategory);
        }
        box_->SetPosition(place.min);
        box_->SetSize(place.size);
    }
    if (++step_ >= kSteps) Stop();
}

void Whip::NoteHits() {
    struck_.clear();
    if (box_)
        for (const Collision::ICollision* hit : box_->hits) struck_.push_back(hit->owner);
}

bool Whip::Struck(const void* owner) const { return std::find(struck_.begin(), struck_.end(), owner) != struck_.end(); }

void Whip::Stop() {
    step_ = -1;
    box_.reset();
}

void Whip::Raise() { level_ = std::min(level_ + 1, kLevels); }

void Whip::SetLevel(int32_t level) {
    Stop();
    level_ = std::clamp(level, 1, kLevels);
}

int32_t Whip::Frame() const {
    if (step_ < 0) return 0;
    static constexpr int32_t kAheadFrames[kSteps] = {0, 0, 1, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5};
    static constexpr int32_t kUpFrames[kSteps] = {0, 0, 1, 1, 6, 6, 6, 7, 7, 7, 2, 2, 2};
    return (aim_ == Aim::Up ? kUpFrames : kAheadFrames)[step_];
}
