#include "things/Guardian.h"
#include "base/SharedConstants.h"
#include "core/EntityManager.h"
#include "platform/Renderer.h"
#include "things/Bone.h"
#include "world/Level.h"
#include <algorithm>
#include <cmath>

namespace {
constexpr float kWidth = 40.0f;
constexpr float kHeight = 56.0f;
// It wakes when the hero's feet come this near its own, across and up or
// down: about when it comes onto his 320 x 240 screen, a little before
// across, as the camera stops at the stage's edges.
constexpr float kWakeAcross = 200.0f;
constexpr float kWakeUpOrDown = 120.0f;
constexpr int32_t kRestSteps = 50;
constexpr int32_t kCrouchSteps = 30;
// Its `charge` field is in tenths of a pixel a step.
constexpr float kChargeTenth = 0.1f;
// The leap: up at this speed, slowed by gravity, drifting toward the hero.
constexpr float kLeapSpeed = 6.0f;
constexpr float kLeapGravity = 0.25f;
constexpr float kLeapDrift = 1.25f;
// The three bones land this far apart around the hero.
constexpr float kSpread = 40.0f;
constexpr float kHandHeight = 48.0f;
// The hit point bar under the status bar, centred on the screen.
constexpr float kBarWidth = 100.0f;
constexpr float kBarHeight = 6.0f;
constexpr float kBarTop = 18.0f;
constexpr Color kBarFrame = Color::FromBytes(0x16, 0x0E, 0x1A, 0xFF);
constexpr Color kBarEmpty = Color::FromBytes(0x3A, 0x14, 0x18, 0xFF);
constexpr Color kBarFill = Color::FromBytes(0xC8, 0x34, 0x3C, 0xFF);
// The gate slides up its whole height in about a second.
constexpr float kGateSteps = 60.0f;
}

const ThingKind& GuardianKind() {
    static const ThingKind kind =
        PlacedKind("guardian", "the keep's guardian: the gate opens when it falls",
                   {WithDefault(kHitPointsField, 16), {"charge", 10, 60, 25, "tenths of a pixel it rushes a step"}},
                   MakerOf<Guardian>());
    return kind;
}

const ThingKind& GateKind() {
    static const ThingKind kind = MadeKind("gate", "the gate the guardian keeps shut");
    return kind;
}

Guardian::Guardian(const PlacedThing& placed, ThingStage& stage) : Enemy(placed, stage, kWidth, kHeight, 1) {}

void Guardian::Update(float step) {
    Enemy::Update(step);
    if (!gateMade_ && StageLevel()) MakeGate();
    if (HitPoints() > 0 || *gateOpen_) return;
    *gateOpen_ = true;
    TakeForGood();
}

// Asleep it stands where it was placed: roaming and throwing at a hero floors
// below, it would waste its bones on walls and ledges he never sees. It wakes
// only once the screen has shown it for half a second.
void Guardian::Act(float step) {
    if (!awake_) awake_ = HeroNear() && SeenLongEnough();
    if (!awake_) {
        FallOrStand(step);
        return;
    }
    ++moveSteps_;
    switch (move_) {
    case Move::Rest: Rest(); break;
    case Move::Crouch: Crouch(); break;
    case Move::Charge: Charge(step); break;
    case Move::Leap: Leap(step); break;
    }
    if (move_ != Move::Leap) FallOrStand(step);
}

bool Guardian::HeroNear() const {
    if (!Hero().Present()) return false;
    const Vector3 apart = Hero().Feet() - position;
    return std::fabs(apart.x) < kWakeAcross && std::fabs(apart.y) < kWakeUpOrDown;
}

void Guardian::Begin(Move move) {
    move_ = move;
    moveSteps_ = 0;
}

void Guardian::FaceHero() {
    if (Hero().Present()) facing_ = Hero().Feet().x < position.x ? -1 : 1;
}

// It faces the hero while it rests, then takes the other attack than last
// time, once the screen has shown it long enough again.
void Guardian::Rest() {
    FaceHero();
    if (moveSteps_ < kRestSteps || Flashing() || !SeenLongEnough()) return;
    const bool leap = leapNext_;
    leapNext_ = !leapNext_;
    Begin(leap ? Move::Leap : Move::Crouch);
    if (leap) rise_ = kLeapSpeed;
}

void Guardian::Crouch() {
    if (moveSteps_ >= kCrouchSteps) Begin(Move::Charge);
}

void Guardian::Charge(float step) {
    const float rush = float(Field("charge")) * kChargeTenth * step;
    if (BlockedAhead(rush)) return Begin(Move::Rest);
    position.x += float(facing_) * rush;
}

// Rising it moves by itself; past the top it falls as every enemy does and
// throws when it lands.
void Guardian::Leap(float step) {
    if (!BlockedAhead(kLeapDrift * step)) position.x += float(facing_) * kLeapDrift * step;
    if (rise_ > 0.0f) {
        position.y -= rise_ * step;
        rise_ -= kLeapGravity * step;
        return;
    }
    if (!FallOrStand(step)) return;
    if (SeenLongEnough()) ThrowSpread();
    Begin(Move::Rest);
}

// A wall at its knees, middle or head, or no ground ahead (only on the ground).
bool Guardian::BlockedAhead(float reach) const {
    const float front = position.x + float(facing_) * (kWidth * 0.5f + reach);
    for (float height : {4.0f, kHeight * 0.5f, kHeight - 4.0f})
        if (Solid(Vector3(front, position.y - height), false)) return true;
    return move_ == Move::Charge && !Solid(Vector3(front, position.y), true);
}

void Guardian::ThrowSpread() {
    if (!manager || !Hero().Present()) return;
    Art().Play(EnemyArt::Cue::Throw);
    const Vector3 hand = position - Vector3(0.0f, kHandHeight);
    for (float aside : {-kSpread, 0.0f, kSpread})
        manager->Add(std::make_unique<Bone>(hand, HeroMiddle() + Vector3(aside, 0.0f), StepsSeen(), stage_));
}

// The gate fills the column left of the exit line, so the hero stops before
// his feet cross it.
void Guardian::MakeGate() {
    gateMade_ = true;
    const std::optional<float> exit = StageLevel()->ExitX();
    if (!exit || !manager) return;
    manager->Add(std::make_unique<Gate>(*exit - float(kTileSize), StageLevel()->MainGridBottom(), gateOpen_, stage_));
}

int32_t Guardian::Frame() const {
    if (Flashing()) return GuardianArt::kHurt;
    switch (move_) {
    case Move::Crouch: return GuardianArt::kCrouch;
    case Move::Charge: return GuardianArt::kCharge;
    case Move::Leap: return GuardianArt::kLeap;
    default: return GuardianArt::kStand;
    }
}

void Guardian::Draw() {
    art_->Draw(Frame(), ScreenX(position.x), ScreenY(position.y), facing_);
    if (awake_) DrawHitPointBar();
}

void Guardian::DrawHitPointBar() const {
    const int32_t x = ScreenX(position.x);
    if (x + kWidth * 0.5f < 0.0f || x - kWidth * 0.5f > float(kScreenWidth)) return;
    const float left = (float(kScreenWidth) - kBarWidth) * 0.5f;
    const float full = float(std::max(Field("hp"), 1));
    FillRect(left - 1.0f, kBarTop - 1.0f, kBarWidth + 2.0f, kBarHeight + 2.0f, kBarFrame);
    FillRect(left, kBarTop, kBarWidth, kBarHeight, kBarEmpty);
    FillRect(left, kBarTop, kBarWidth * float(HitPoints()) / full, kBarHeight, kBarFill);
}

Gate::Gate(float left, float height, std::shared_ptr<const bool> open, ThingStage& stage)
    : Thing(GateKind(), Vector3(float(int32_t(left) + kTileSize / 2), float(int32_t(height))), stage),
      open_(std::move(open)), bars_(std::in_place, 0.0f, 0.0f, 0.0f, 0.0f), height_(height) {
    bars_->category = kWallCategory;
    bars_->mask = 0;
    bars_->SetPosition(Vector3(left, 0.0f, 0.0f));
    bars_->SetSize(Vector3(float(kTileSize), height, 0.0f));
}

void Gate::Update(float step) {
    if (!*open_ || raised_ >= height_) return;
    if (bars_) {
        bars_.reset();
        art_->PlayGateOpening();
    }
    raised_ = std::min(height_, raised_ + height_ / kGateSteps * step);
}

void Gate::Draw() {
    const float left = position.x - float(kTileSize) * 0.5f;
    for (float row = 0.0f; row < height_; row += float(kTileSize))
        if (row + float(kTileSize) > raised_) art_->DrawBars(ScreenX(left), ScreenY(row - raised_));
}
