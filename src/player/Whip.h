#pragma once
#include "base/Vector3.h"
#include "collision/Collision.h"
#include <cstdint>
#include <optional>
#include <vector>

// The hero's whip: a crack lasts kSteps steps, winding up, lashing and
// falling back, and only while the lash is stretched does its hit box stand
// in the collision world, where the things it can hurt find it in the
// collision pass. It lashes straight ahead, low from a crouch, or upwards at
// a slant. Three levels, leather, chain and rune, each reaching further.
class Whip {
public:
    // A short wind-up the player still sees (the arm raised, the lash over
    // the head), a lash that hits for six steps, and a quick fall back.
    static constexpr int32_t kSteps = 13;
    static constexpr int32_t kFirstHitStep = 4;
    static constexpr int32_t kLastHitStep = 9;
    static constexpr int32_t kLevels = 3;
    static constexpr int32_t kFrameCount = 8;

    enum class Aim { Ahead, Low, Up };

    // The box the lash covers for a hero at `feet` facing `facing` (+1 right,
    // -1 left): from his middle forward by the level's reach, at the height of
    // the hand, standing or crouching; aimed up, the box the slanted lash
    // crosses, from his middle up and forward.
    static Collision::Rectangle HitBox(const Vector3& feet, int32_t facing, int32_t level, Aim aim);
    // Pixels the lash reaches ahead of the hero's middle.
    static float Reach(int32_t level);

    explicit Whip(int32_t level = 1) : level_(level) {}
    // Starts a crack unless one is under way; false if one was.
    bool Crack(Aim aim);
    // Moves the crack on by a step and puts the hit box where the lash is.
    void Update(const Vector3& feet, int32_t facing);
    void Stop();
    void Raise();
    // The level a stage starts the hero with.
    void SetLevel(int32_t level);

    bool Active() const { return step_ >= 0; }
    Aim Aimed() const { return aim_; }
    bool Crouching() const { return Active() && aim_ == Aim::Low; }
    int32_t Level() const { return level_; }
    // The frame of the whip sheet: 0 and 1 wind up, 2 to 4 lash ahead, 5
    // falls back; 6 and 7 lash upwards.
    int32_t Frame() const;
    // Whether the arm is still raised (the wind-up) rather than lashing.
    bool WindingUp() const { return step_ >= 0 && step_ < kFirstHitStep - 1; }
    // In the collision world only while the lash can hit.
    const std::optional<Collision::Rectangle>& Box() const { return box_; }
    // Keeps the owners of the shapes the lash met in the latest pass, before
    // the step may take the box away.
    void NoteHits();
    bool Struck(const void* owner) const;

private:
    int32_t level_;
    int32_t step_ = -1;
    Aim aim_ = Aim::Ahead;
    std::optional<Collision::Rectangle> box_;
    std::vector<const void*> struck_;
};
