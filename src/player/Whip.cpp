#include "player/Whip.h"
#include "base/SharedConstants.h"
#include <algorithm>

namespace {
// The lash leaves the hand, 17 pixels ahead of the middle, and is as thick
// as its swing through the stretched frames; the drawn lashes reach 48, 64
// and 80 pixels from the hand.
constexpr float kHandAhead = 17.0f;
constexpr float kThickness = 12.0f;
constexpr float kStandingHandHeight = 26.0f;
constexpr float kCrouchingHandHeight = 19.0f;
constexpr float kReaches[Whip::kLevels] = {65.0f, 81.0f, 97.0f};
}

float Whip::Reach(int32_t level) { return kReaches[std::clamp(level, 1, kLevels) - 1]; }

Collision::Rectangle Whip::HitBox(const Vector3& feet, int32_t facing, int32_t level, bool crouching) {
    const float length = Reach(level) - kHandAhead;
    const float hand = feet.x + float(facing) * kHandAhead;
    const float left = facing > 0 ? hand : hand - length;
    const float middle = feet.y - (crouching ? kCrouchingHandHeight : kStandingHandHeight);
    return Collision::Rectangle(left, middle - kThickness * 0.5f, length, kThickness, true);
}

bool Whip::Crack(bool crouching) {
    if (Active()) return false;
    step_ = 0;
    crouching_ = crouching;
    return true;
}

void Whip::Update(const Vector3& feet, int32_t facing) {
    if (!Active()) return;
    const bool hitting = step_ >= kFirstHitStep && step_ <= kLastHitStep;
    if (!hitting) {
        box_.reset();
    } else {
        Collision::Rectangle place = HitBox(feet, facing, level_, crouching_);
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
    static constexpr int32_t kFrameOfStep[kSteps] = {0, 0, 0, 1, 1, 1, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 5, 5, 5};
    return kFrameOfStep[step_];
}
