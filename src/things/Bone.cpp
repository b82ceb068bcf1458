#include "things/Bone.h"
#include "core/EntityManager.h"
#include "things/Burst.h"
#include "things/StageTiles.h"
#include "world/Level.h"
#include <algorithm>
#include <cmath>

namespace {
constexpr float kGravity = 0.2f;
constexpr float kSize = 8.0f;
// The bone turns an eighth every few steps: a flat and a slanted frame,
// each also drawn turned a quarter.
constexpr int32_t kStepsPerTurn = 4;
constexpr int32_t kQuarterTurn = 900;
// Steps the flight takes: longer for a farther target, within bounds.
constexpr float kFlightSpeed = 3.5f;
constexpr float kShortestFlight = 24.0f;
constexpr float kLongestFlight = 56.0f;
}

const ThingKind& BoneKind() {
    static const ThingKind kind =
        MadeKind("bone", "a bone a skeleton threw",
                 {{FrameLay::Middle, nullptr, "bone flat", false}, {FrameLay::Middle, nullptr, "bone slanted", false}});
    return kind;
}

Bone::Bone(const Vector3& from, const Vector3& target, int32_t throwerSeen, ThingStage& stage)
    : Thing(BoneKind(), from + Vector3(0.0f, kSize * 0.5f), stage), throwerSeen_(throwerSeen) {
    SetBoxSize(kSize, kSize);
    const Vector3 way = target - position;
    const float steps = std::clamp(std::fabs(way.x) / kFlightSpeed, kShortestFlight, kLongestFlight);
    velocity_ = Vector3(way.x / steps, way.y / steps - 0.5f * kGravity * steps);
}

void Bone::Update(float step) {
    NoteSight();
    ++age_;
    velocity_.y += kGravity * step;
    position += Vector3(velocity_.x * step, velocity_.y * step);
    PlaceBox();
    if (StruckByWhip()) {
        art_->Play(EnemyArt::Cue::Hit);
        if (manager) manager->Add(std::make_unique<Burst>(position - Vector3(0.0f, kSize * 0.5f), art_, stage_.view));
        RemoveFromStage();
    } else if (HeroTouches() && HurtHero(1, position.x - velocity_.x, throwerSeen_)) {
        RemoveFromStage();
    } else if (Ended()) {
        RemoveFromStage();
    }
}

bool Bone::Ended() const {
    const LevelNamespace::Level* level = StageLevel();
    if (!level) return false;
    return InTile(*level, position - Vector3(0.0f, kSize * 0.5f), false) ||
           position.y - kSize > level->MainGridBottom();
}

void Bone::Draw() {
    const int32_t turn = age_ / kStepsPerTurn % 4;
    const Vector3 middle = position - Vector3(0.0f, kSize * 0.5f);
    art_->Draw(FirstEnemyFrame(BoneKind()) + turn % 2, ScreenX(middle.x), ScreenY(middle.y + EnemyArt::kMiddleHeight),
               velocity_.x < 0.0f ? -1 : 1, turn / 2 * kQuarterTurn);
}
