#include "player/JumpMotion.h"
#include <algorithm>

namespace {
// A key let go while rising brakes three times as hard: a tap rises about
// a third of a full jump. Falling pulls twice as hard as a held rise.
constexpr float kReleasedFactor = 3.0f;
constexpr float kFallingFactor = 2.0f;
}

// The take-off step rises 6, and each later one g less: about 36 / 2g + 3
// pixels to the top. g is chosen so that this is the jump height.
JumpMotion::JumpMotion(int32_t jumpHeight)
    : heldGravity_(kTakeOffSpeed * kTakeOffSpeed / (2.0f * (float(jumpHeight) - kTakeOffSpeed * 0.5f))) {}

float JumpMotion::Step(bool jumpHeld, bool jumpPressed, bool mayJump) {
    if (jumpPressed) pressSteps_ = kEarlyPressSteps;
    if (pressSteps_ > 0 && groundSteps_ > 0 && mayJump) {
        speed_ = -kTakeOffSpeed;
        groundSteps_ = 0;
        pressSteps_ = 0;
        return speed_;
    }
    float gravity = heldGravity_ * (!Rising() ? kFallingFactor : jumpHeld ? 1.0f : kReleasedFactor);
    speed_ = std::min(speed_ + gravity, kTopFallSpeed);
    if (groundSteps_ > 0) --groundSteps_;
    if (pressSteps_ > 0) --pressSteps_;
    return speed_;
}

void JumpMotion::Landed() {
    speed_ = 0.0f;
    groundSteps_ = kEdgeGraceSteps;
}

void JumpMotion::HitCeiling() { speed_ = std::max(speed_, 0.0f); }

void JumpMotion::Hop(float speed) {
    speed_ = -speed;
    groundSteps_ = 0;
}

void JumpMotion::Stop() {
    speed_ = 0.0f;
    pressSteps_ = 0;
}
