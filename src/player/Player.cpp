#include "player/Player.h"
#include "base/SharedConstants.h"
#include "platform/Input.h"
#include "world/Camera.h"
#include <cmath>
#include <initializer_list>
#include <string>

namespace {
const Color kColorKey(0xFFFFFFFFu);
const Color kOpaqueWhite(0xFFFFFFFFu);

constexpr float kWalkStep = 2.0f;
constexpr float kClimbStep = 2.0f;
constexpr float kFallStep = 6.0f;
constexpr float kRiseStep = 4.0f;

constexpr int32_t kWhipFrameWidth = 128;
constexpr int32_t kWhipFrameHeight = 94;
constexpr int32_t kWhipGridWidth = 384;
constexpr int32_t kBodyGridWidth = 510;

const char* const kWhipFiles[] = {"sprites\\WhipLeather2.png", "sprites\\WhipChain2.png", "sprites\\WhipRune2.png"};
// The sounds in the order they are loaded, with their place in the sound list.
struct SoundFile {
    size_t slot;
    const char* file;
};
const SoundFile kSoundFiles[] = {
    {1, "sound\\whipleather.wav"}, {2, "sound\\whip2.wav"},  {3, "sound\\whip3.wav"},      {4, "sound\\gethit6.wav"},
    {5, "sound\\gethit5.wav"},     {6, "sound\\dying2.wav"}, {0, "sound\\fallcrouch.wav"},
};

// Whether the probe, moved since the pass, has left the bottom of a tile it
// touched there.
bool FellOutOf(const Collision::Point& from, const Collision::ICollision& hit, uint32_t categories) {
    return (hit.category & categories) && from.position.y > static_cast<const Collision::Rectangle&>(hit).max.y;
}

// The largest push out of the tiles the given probes touched, measured from
// one probe, along one axis and in one direction only. A later tile replaces
// the push only when it pushes strictly further. Tiles of the categories
// `leftBelow` no longer push a probe that has dropped out of their bottom.
float LargestPush(std::initializer_list<const Collision::Point*> touching, const Collision::Point& from,
                  bool horizontal, float direction, uint32_t ignored, uint32_t leftBelow = 0) {
    float push = 0.0f;
    for (const Collision::Point* probe : touching) {
        for (const Collision::ICollision* hit : probe->hits) {
            if (hit->kind != kRectangleKind || (hit->category & ignored) || FellOutOf(from, *hit, leftBelow)) continue;
            Vector3 d = from.PushOutOf(static_cast<const Collision::Rectangle&>(*hit));
            float along = horizontal ? d.x : d.y;
            if (along * direction > 0.0f && std::fabs(along) > std::fabs(push)) push = along;
        }
    }
    return push;
}
}

Player::Player() { Init(); }

Player::~Player() {
    // In the order they were loaded, as the hero has always let them go.
    for (std::unique_ptr<Sound>& sound : sounds) sound.reset();
}

const char* HeroStateName(HeroState state) {
    static const char* const kNames[] = {"stand", "walk", "jump", "fall", "crouch", "strike", "hurt", "dead"};
    return kNames[int(state)];
}

void Player::Init() {
    LoadResources();
    size = Vector3(20.0f, 46.0f, 0.0f);
    bodyBox.SetSize(size);
    bodyBox.SetPosition(position);
    SetUpShapes();
    PlaceShapes();
}

void Player::LoadResources() {
    bodySprite.Load("sprites\\Aldric-Spriteset2.png", kColorKey, kFrameWidth, kFrameHeight, kBodyGridWidth);
    for (size_t i = 0; i < whipSprites.size(); ++i)
        whipSprites[i].Load(kWhipFiles[i], kColorKey, kWhipFrameWidth, kWhipFrameHeight, kWhipGridWidth);
    for (const SoundFile& sound : kSoundFiles) sounds[sound.slot] = std::make_unique<Sound>(sound.file, false);
}

// Wall tiles (0x40) stop every shape; ledge tiles (0x20) are felt only by
// the feet and the lower side probes, so the hero can rise through them.
void Player::SetUpShapes() {
    bodyBox.category = kHeroCategory;
    bodyBox.SetMask(kWallCategory);
    for (int i = 0; i < kProbeCount; ++i) {
        Collision::Point& probe = probes[size_t(i)];
        probe.category = kHeroCategory;
        bool feelsLedges = i == LeftLower || i == LeftFoot || i == CentreFoot || i == RightFoot || i == RightLower;
        probe.SetMask(kWallCategory, feelsLedges ? kLedgeCategory : 0);
    }
}

// Offsets from position, the middle of the body's bottom edge, each
// component computed in 32-bit floats.
Vector3 Player::ProbeOffset(Probe probe) const {
    const float halfWidth = size.x * 0.5f;
    const float upper = -(size.y - 15.0f);
    switch (probe) {
    case Head: return Vector3(0.0f, -(size.y - 3.5f), 0.0f);
    case LeftUpper: return Vector3(-halfWidth, upper, 0.0f);
    case LeftLower: return Vector3(-halfWidth, -15.0f, 0.0f);
    case LeftFoot: return Vector3(-(halfWidth - 1.0f), 0.0f, 0.0f);
    case CentreFoot: return Vector3(0.0f, 0.0f, 0.0f);
    case RightFoot: return Vector3(halfWidth - 1.0f, 0.0f, 0.0f);
    case RightUpper: return Vector3(halfWidth, upper, 0.0f);
    case RightLower: return Vector3(halfWidth, -15.0f, 0.0f);
    }
    return Vector3();
}

float Player::BodyHeight() const { return crouching_ || whip_.Crouching() ? kCrouchHeight : size.y; }

void Player::PlaceShapes() {
    bodyBox.SetSize(Vector3(size.x, BodyHeight(), 0.0f));
    bodyBox.SetPosition(position - Vector3(size.x * 0.5f, BodyHeight(), 0.0f));
    for (int i = 0; i < kProbeCount; ++i) probes[size_t(i)].SetPosition(position + ProbeOffset(Probe(i)));
}

void Player::Shift(const Vector3& push) {
    position += push;
    PlaceShapes();
}

// The hit lists were made by this step's pass, where the previous step left
// the probes; pushes are measured from where the probes are now, and each
// phase measures from the position the phase before it corrected.
Player::Pushes Player::ResolveCollisions(uint32_t fromAboveOnly, uint32_t floorIgnores) {
    PlaceShapes();
    const Collision::Point* p = probes.data();
    Pushes pushes;
    pushes.left = LargestPush({&p[LeftUpper], &p[LeftLower]}, p[LeftUpper], true, 1.0f, fromAboveOnly);
    Shift(Vector3(pushes.left, 0.0f, 0.0f));
    pushes.right = LargestPush({&p[RightUpper], &p[RightLower]}, p[RightUpper], true, -1.0f, fromAboveOnly);
    Shift(Vector3(pushes.right, 0.0f, 0.0f));
    pushes.floor = LargestPush({&p[LeftFoot], &p[CentreFoot], &p[RightFoot]}, p[CentreFoot], false, -1.0f, floorIgnores,
                               fromAboveOnly);
    Shift(Vector3(0.0f, pushes.floor, 0.0f));
    pushes.ceiling = LargestPush({&p[Head]}, p[Head], false, 1.0f, 0);
    if (pushes.ceiling != 0.0f) Shift(Vector3(0.0f, pushes.ceiling, 0.0f));
    PlaceShapes();
    return pushes;
}

void Player::Update(float step) {
    if (Playing()) PlayUpdate(step);
    else EngineUpdate(step);
}

void Player::EngineUpdate(float step) {
    const uint32_t held = TheInput().held;
    velocity.x = (held & Left) ? -kWalkStep : (held & Right) ? kWalkStep : 0.0f;
    velocity.y = (held & Up) ? -kClimbStep : (held & Down) ? kClimbStep : 0.0f;
    velocity.y += (held & ButtonB) ? -kRiseStep : kFallStep;
    velocity.z = 0.0f;
    velocity *= step;
    position += velocity;
    if (held & ButtonA) PlaceShapes();
    else ResolveCollisions();
    TheCamera().Follow(position);
}

// The picture spans 19 pixels behind position.x and 32 ahead and ends at
// position.y; facing left it is mirrored about position.x. By the engine's
// rules the hero always shows frame 0 facing right.
void Player::Draw() {
    if (Playing() && untouchable_ > 0 && dying_ < 0 && (untouchable_ / 4) % 2 == 1) return;
    const int32_t top = DrawBody(position, BodyFrame(), facing_, kOpaqueWhite);
    if (whip_.Active()) DrawWhip(int32_t(position.x - TheCamera().X()), top);
}

int32_t Player::DrawBody(const Vector3& feet, int32_t frame, int32_t facing, Color tint) const {
    constexpr int32_t kBehind = (kFrameWidth - 12) / 2;
    const float behind = float(facing > 0 ? kBehind : kFrameWidth - kBehind);
    const float x = feet.x - behind - TheCamera().X();
    const float y = feet.y - float(kFrameHeight) - TheCamera().Y();
    bodySprite.Draw(int32_t(x), int32_t(y), frame, facing > 0 ? 0 : 1, 1.0f, 0, tint);
    return int32_t(y);
}
