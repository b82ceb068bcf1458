// The hero in a stage that asks for play: walking, jumping, the whip,
// crouching and dropping through ledges, hurt, death and coming back.
#include "base/SharedConstants.h"
#include "platform/Input.h"
#include "player/Player.h"
#include "world/PlayAssists.h"
#include <cmath>

namespace {
constexpr float kWalkStep = 2.0f;
constexpr float kKnockbackStep = 2.0f;
constexpr float kKnockbackHop = 3.0f;
constexpr int32_t kDropSteps = 12;
constexpr int32_t kStepsPerWalkFrame = 8;
// A landing this far below where the hero left the ground sounds.
constexpr float kHardLandingDrop = 2.0f * float(kTileSize);

// The sheet's frames.
enum BodyFrame : int32_t {
    kStandFrame = 0,
    kFirstWalkFrame = 1,
    kCrouchFrame = 5,
    kArmRaisedFrame = 6,
    kLashFrame = 7,
    kCrouchLashFrame = 8,
    kJumpFrame = 9,
    kFallFrame = 10,
    kHurtFrame = 11,
    kDyingFrame = 12,
    kDeadFrame = 13,
    kCrouchArmRaisedFrame = 14,
    kUpLashFrame = 15,
};

// The sound list's slots.
constexpr size_t kFallCrouchSound = 0;
constexpr size_t kFirstWhipSound = 1;
constexpr size_t kHitSound = 4;
constexpr size_t kDyingSound = 6;

// Where the whip's grip goes, from the hero's feet facing right, for the
// wind-up and the lash, standing and crouching: the lower right pixel of
// the fist in frames 6, 7, 14, 8 and 15.
struct Hand {
    int32_t x, y;
};
constexpr Hand kRaisedHand{14, -39};
constexpr Hand kLashHand{17, -26};
constexpr Hand kCrouchRaisedHand{14, -31};
constexpr Hand kCrouchLashHand{17, -19};
constexpr Hand kUpLashHand{15, -35};
constexpr int32_t kGripX = 28;
constexpr int32_t kGripY = 68;
constexpr int32_t kWhipFrameWidth = 128;

Hand HandHolding(const Whip& whip) {
    const bool crouching = whip.Crouching();
    if (whip.WindingUp()) return crouching ? kCrouchRaisedHand : kRaisedHand;
    if (crouching) return kCrouchLashHand;
    return whip.Aimed() == Whip::Aim::Up ? kUpLashHand : kLashHand;
}
}

// Crouched, the whip lashes low; with Up held, upwards at a slant.
Whip::Aim Player::AimOf(uint32_t held) const {
    if (crouching_) return Whip::Aim::Low;
    return (held & Up) ? Whip::Aim::Up : Whip::Aim::Ahead;
}

void Player::StartPlay(const PlayRules& rules) {
    rules_ = rules;
    motion_ = JumpMotion(rules.jumpHeight);
    whip_.SetLevel(rules.whipLevel);
    hearts_ = rules.hearts;
    lives_ = rules.lives;
    checkpoint_ = position;
    leftGroundAt_ = position.y;
    // The things of a play stage do not look: the body finds them, so the
    // pass costs no more however many there are.
    bodyBox.SetMask(kWallCategory, kThingCategory);
}

void Player::PlayUpdate(float step) {
    const uint32_t held = TheInput().held | TheInput().playHeld;
    const uint32_t pressed = held & ~lastHeld_;
    lastHeld_ = held;
    whip_.NoteHits();
    if (dying_ >= 0) {
        DyingStep(step);
        return;
    }
    if (untouchable_ > 0) --untouchable_;
    const float walk = Steer(held, pressed);
    // Down with jump is a drop or nothing, never a jump, now or on landing.
    const bool jumpPressed = (pressed & Jump) && !(held & Down);
    const float fall = motion_.Step((held & Jump) != 0, jumpPressed, knockback_ == 0);
    Move(walk, fall, step);
    whip_.Update(position, facing_);
}

float Player::Steer(uint32_t held, uint32_t pressed) {
    if (knockback_ > 0) {
        --knockback_;
        crouching_ = false;
        return -float(facing_) * kKnockbackStep;
    }
    const bool grounded = motion_.OnGround();
    if (grounded && (held & Down) && (pressed & Jump) && OnLedgeOnly()) dropping_ = kDropSteps;
    crouching_ = grounded && (held & Down) && dropping_ == 0;
    const int32_t direction = (held & Left) ? -1 : (held & Right) ? 1 : 0;
    if (direction != 0 && !whip_.Active()) facing_ = direction;
    if ((pressed & Attack) && whip_.Crack(AimOf(held))) PlaySound(kFirstWhipSound + size_t(whip_.Level() - 1));
    // On the ground a crack or a crouch roots the hero; in the air he keeps going.
    if (grounded && (crouching_ || whip_.Active())) return 0.0f;
    return float(direction) * kWalkStep;
}

// Ledges only hold the hero from above: the side probes pass them always,
// the feet while he rises or drops through one.
void Player::Move(float walk, float fall, float step) {
    const bool wasOnGround = motion_.OnGround();
    position += Vector3(walk * step, fall * step, 0.0f);
    const uint32_t floorIgnores = (motion_.Rising() || dropping_ > 0) ? kLedgeCategory : 0;
    if (dropping_ > 0) --dropping_;
    const Pushes pushes = ResolveCollisions(kLedgeCategory, floorIgnores);
    if (pushes.ceiling > 0.0f) motion_.HitCeiling();
    if (pushes.floor < 0.0f && !motion_.Rising()) Land();
    else if (wasOnGround && !motion_.OnGround()) leftGroundAt_ = position.y;
    walkSteps_ = walk != 0.0f && motion_.OnGround() ? walkSteps_ + 1 : 0;
    KeepInsideStage();
}

void Player::Land() {
    const bool wasInAir = !motion_.OnGround();
    motion_.Landed();
    if (wasInAir && position.y - leftGroundAt_ >= kHardLandingDrop) PlaySound(kFallCrouchSound);
    leftGroundAt_ = position.y;
}

// The stage's left edge and top hold the hero; its right edge is the gate.
void Player::KeepInsideStage() {
    const float halfWidth = size.x * 0.5f;
    if (position.x < halfWidth) position.x = halfWidth;
    if (position.y - size.y < 0.0f) {
        position.y = size.y;
        motion_.HitCeiling();
    }
    PlaceShapes();
}

// Down with jump drops through a ledge, never through a wall: every tile
// the feet stand on must be a ledge.
bool Player::OnLedgeOnly() const {
    bool ledge = false;
    for (int i : {LeftFoot, CentreFoot, RightFoot})
        for (const Collision::ICollision* hit : probes[size_t(i)].hits) {
            if (hit->category & kWallCategory) return false;
            ledge = ledge || (hit->category & kLedgeCategory);
        }
    return ledge;
}

bool Player::Hurt(int32_t lost, float fromX) {
    if (!Playing() || dying_ >= 0 || untouchable_ > 0 || lost <= 0) return false;
    ++hitsTaken_;
    hearts_ = std::max(hearts_ - lost, 0);
    if (hearts_ == 0) {
        Die();
        return true;
    }
    PlaySound(kHitSound);
    untouchable_ = kUntouchableSteps;
    knockback_ = kKnockbackSteps;
    // Knocked away from the blow: he turns to face it.
    facing_ = fromX < position.x ? -1 : 1;
    whip_.Stop();
    motion_.Hop(kKnockbackHop);
    return true;
}

void Player::Die() {
    if (!Playing() || dying_ >= 0) return;
    hearts_ = 0;
    dying_ = 0;
    whip_.Stop();
    PlaySound(kDyingSound);
}

// One who died in the air falls to the ground (or out of the stage) first;
// he lies still while the dying lasts, then comes back at his checkpoint
// with full hearts and a life less (none while the assist keeps lives), or,
// with none left, the stage is lost.
void Player::DyingStep(float step) {
    if (!motion_.OnGround()) Move(0.0f, motion_.Step(false, false, false), step);
    if (++dying_ < kDyingSteps) return;
    const bool keepLives = ThePlayAssists().keepLives;
    if (lives_ <= 1 && !keepLives) {
        lives_ = 0;
        outOfLives_ = true;
        return;
    }
    if (!keepLives) --lives_;
    Respawn();
}

void Player::Heal(int32_t hearts) {
    if (Playing() && dying_ < 0) hearts_ = std::min(hearts_ + hearts, rules_->hearts);
}

void Player::Respawn() {
    ++respawns_;
    dying_ = -1;
    hearts_ = rules_->hearts;
    position = checkpoint_;
    facing_ = 1;
    knockback_ = 0;
    dropping_ = 0;
    crouching_ = false;
    untouchable_ = kUntouchableSteps;
    motion_.Stop();
    leftGroundAt_ = position.y;
    PlaceShapes();
}

HeroState Player::State() const {
    if (dying_ >= 0) return HeroState::Dead;
    if (knockback_ > 0) return HeroState::Hurt;
    if (whip_.Active()) return HeroState::Strike;
    if (!motion_.OnGround()) return motion_.Rising() ? HeroState::Jump : HeroState::Fall;
    if (crouching_) return HeroState::Crouch;
    return walkSteps_ > 0 ? HeroState::Walk : HeroState::Stand;
}

int32_t Player::BodyFrame() const {
    if (!Playing()) return kStandFrame;
    switch (State()) {
    case HeroState::Stand: return kStandFrame;
    case HeroState::Walk: return kFirstWalkFrame + (walkSteps_ / kStepsPerWalkFrame) % 4;
    case HeroState::Jump: return kJumpFrame;
    case HeroState::Fall: return kFallFrame;
    case HeroState::Crouch: return kCrouchFrame;
    case HeroState::Strike:
        if (whip_.Crouching()) return whip_.WindingUp() ? kCrouchArmRaisedFrame : kCrouchLashFrame;
        if (whip_.WindingUp()) return kArmRaisedFrame;
        return whip_.Aimed() == Whip::Aim::Up ? kUpLashFrame : kLashFrame;
    case HeroState::Hurt: return kHurtFrame;
    case HeroState::Dead: return dying_ < kDyingSteps / 3 || !motion_.OnGround() ? kDyingFrame : kDeadFrame;
    }
    return kStandFrame;
}

void Player::PlaySound(size_t slot) {
    if (sounds[slot]) sounds[slot]->Play();
}

// The whip frame's grip goes on the hand; facing left the frame is mirrored
// about the hand.
void Player::DrawWhip(int32_t feetX, int32_t frameTop) const {
    const Hand hand = HandHolding(whip_);
    const int32_t handX = feetX + facing_ * hand.x;
    const int32_t handY = frameTop + kFrameHeight + hand.y;
    const int32_t left = facing_ > 0 ? handX - kGripX : handX - (kWhipFrameWidth - kGripX);
    const Sprite& sheet = whipSprites[size_t(whip_.Level() - 1)];
    sheet.Draw(left, handY - kGripY, whip_.Frame(), facing_ > 0 ? 0 : 1, 1.0f, 0, Color(0xFFFFFFFFu));
}
