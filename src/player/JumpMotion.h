#pragma once
#include <cstdint>

// The hero's vertical motion in a stage that asks for play: a jump from the
// ground whose arc depends on how long the key is held, falling no faster
// than the engine's 6 pixels a step, and the two mercies players expect:
// a jump still starts a few steps after walking off an edge, and a press a
// few steps before landing counts. Pixels per step, y downwards.
class JumpMotion {
public:
    static constexpr float kTakeOffSpeed = 6.0f;
    static constexpr float kTopFallSpeed = 6.0f;
    static constexpr int32_t kEdgeGraceSteps = 6;
    static constexpr int32_t kEarlyPressSteps = 6;

    // `jumpHeight`: the pixels a jump held to its top rises; a tap rises
    // about a third of it.
    explicit JumpMotion(int32_t jumpHeight = 72);

    // One step: starts a jump when one is due and allowed, then lets gravity
    // act. Returns the step's vertical move.
    float Step(bool jumpHeld, bool jumpPressed, bool mayJump);
    // The floor held the hero up in this step.
    void Landed();
    // The head met a ceiling, or the stage's top.
    void HitCeiling();
    // A push upwards that is not a jump (a hit's knockback): the hero leaves the ground.
    void Hop(float speed);
    void Stop();

    // Whether the floor held the hero in the latest step, or a jump could still start.
    bool OnGround() const { return groundSteps_ == kEdgeGraceSteps; }
    bool Rising() const { return speed_ < 0.0f; }
    float Speed() const { return speed_; }

private:
    // Rising with the key held; rising after it was let go; falling.
    float heldGravity_;
    float speed_ = 0.0f;
    int32_t groundSteps_ = 0;  // kEdgeGraceSteps on the ground, counting down in the air
    int32_t pressSteps_ = 0;   // a press waiting for the ground
};
