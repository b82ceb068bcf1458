#pragma once
#include "collision/Collision.h"
#include "base/CurrentInstance.h"
#include "core/Entity.h"
#include "base/Vector3.h"
#include "platform/Sound.h"
#include "platform/Sprite.h"
#include "player/JumpMotion.h"
#include "player/Whip.h"
#include "world/PlayRules.h"
#include <array>
#include <memory>
#include <optional>

// What the hero of a play stage is doing, for his pose and the trace.
enum class HeroState { Stand, Walk, Jump, Fall, Crouch, Strike, Hurt, Dead };
const char* HeroStateName(HeroState state);

// The hero. By the engine's rules he moves by the held directions, falls
// unless ButtonB lifts him, is pushed out of the level's tiles by what his
// probes touched in the step's collision pass, and keeps the camera on
// himself. In a stage that asks for play (StartPlay) he walks, jumps from
// the ground, cracks his whip, crouches, drops through ledges, is hurt and
// dies, and comes back at his checkpoint while lives last; there the stage
// moves the camera.
class Player : public Entity {
public:
    // The eight probe points, in the order they join the collision world.
    enum Probe { Head, LeftUpper, LeftLower, LeftFoot, CentreFoot, RightFoot, RightUpper, RightLower };
    static constexpr int kProbeCount = 8;
    static constexpr int32_t kFrameWidth = 51;
    static constexpr int32_t kFrameHeight = 48;

    Player();
    ~Player() override;
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    void Init();
    // Moves the nine shapes to their places around position.
    void PlaceShapes();
    // The pushes of one resolution, phase by phase.
    struct Pushes {
        float left = 0.0f, right = 0.0f, floor = 0.0f, ceiling = 0.0f;
    };
    // Pushes the hero out of the tiles its probes touched, phase by phase:
    // left wall, right wall, floor, ceiling. Tiles of the categories in
    // `fromAboveOnly` hold him only from above: the side phases pass them,
    // and so does the floor phase once his feet have dropped out of their
    // bottom. The floor phase passes the tiles of `floorIgnores` always.
    Pushes ResolveCollisions(uint32_t fromAboveOnly = 0, uint32_t floorIgnores = 0);
    void Update(float step) override;
    void Draw() override;

    // Play: from now on the hero follows the stage's rules, starting at his
    // position, which is his checkpoint until another is touched.
    void StartPlay(const PlayRules& rules);
    bool Playing() const { return rules_.has_value(); }
    // A hit from something at x = fromX: costs hearts, knocks the hero away
    // and makes him untouchable for a while. False when it did not count.
    bool Hurt(int32_t hearts, float fromX);
    // The hero dies at once (a fall below the stage).
    void Die();
    void SetCheckpoint(const Vector3& feet) { checkpoint_ = feet; }
    // The last life was lost and the dying is over.
    bool OutOfLives() const { return outOfLives_; }
    // How often he came back at his checkpoint: the stage's things come back with him.
    int32_t Respawns() const { return respawns_; }
    // The hits that counted (Hurt true), for the stage's tally.
    int32_t HitsTaken() const { return hitsTaken_; }
    // Heals up to a full life.
    void Heal(int32_t hearts);

    HeroState State() const;
    int32_t Hearts() const { return hearts_; }
    int32_t MaxHearts() const { return rules_ ? rules_->hearts : 0; }
    int32_t Lives() const { return lives_; }
    int32_t Facing() const { return facing_; }
    bool OnGround() const { return motion_.OnGround(); }
    int32_t UntouchableSteps() const { return untouchable_; }
    Whip& TheWhip() { return whip_; }
    const Whip& TheWhip() const { return whip_; }
    // His body box's height: lower while he crouches or whips from a crouch.
    float BodyHeight() const;
    // The sheet frame the hero is drawn with.
    int32_t BodyFrame() const;
    // Draws a frame of his body with its feet at `feet` (in the stage), as
    // he is drawn, and returns the frame's top on the screen: the ghost of a
    // best run is drawn so too.
    int32_t DrawBody(const Vector3& feet, int32_t frame, int32_t facing, Color tint) const;

    static constexpr int32_t kUntouchableSteps = 60;
    static constexpr int32_t kKnockbackSteps = 16;
    static constexpr int32_t kDyingSteps = 96;
    static constexpr float kCrouchHeight = 38.0f;

    Sprite bodySprite;
    std::array<Sprite, 3> whipSprites;
    // fallcrouch, whipleather, whip2, whip3, gethit6, gethit5, dying2.
    std::array<std::unique_ptr<Sound>, 7> sounds;
    Collision::Rectangle bodyBox{0.0f, 0.0f, 0.0f, 0.0f};
    std::array<Collision::Point, kProbeCount> probes{Collision::Point(0.0f, 0.0f), Collision::Point(0.0f, 0.0f),
                                                     Collision::Point(0.0f, 0.0f), Collision::Point(0.0f, 0.0f),
                                                     Collision::Point(0.0f, 0.0f), Collision::Point(0.0f, 0.0f),
                                                     Collision::Point(0.0f, 0.0f), Collision::Point(0.0f, 0.0f)};
    Vector3 position;
    Vector3 size;
    Vector3 velocity;

private:
    void LoadResources();
    void SetUpShapes();
    Vector3 ProbeOffset(Probe probe) const;
    // One phase: moves by the phase's push and places the shapes again.
    void Shift(const Vector3& push);
    void EngineUpdate(float step);
    void PlayUpdate(float step);
    // The controls of one step: facing, crouch, whip, drop; the step's walk.
    float Steer(uint32_t held, uint32_t pressed);
    Whip::Aim AimOf(uint32_t held) const;
    void Move(float walk, float fall, float step);
    void KeepInsideStage();
    void Land();
    void DyingStep(float step);
    void Respawn();
    bool OnLedgeOnly() const;
    void PlaySound(size_t slot);
    void DrawWhip(int32_t x, int32_t y) const;

    std::optional<PlayRules> rules_;
    JumpMotion motion_;
    Whip whip_;
    Vector3 checkpoint_;
    int32_t hearts_ = 0;
    int32_t lives_ = 0;
    int32_t facing_ = 1;
    int32_t untouchable_ = 0;
    int32_t knockback_ = 0;
    int32_t dying_ = -1;
    int32_t dropping_ = 0;
    int32_t walkSteps_ = 0;
    int32_t respawns_ = 0;
    int32_t hitsTaken_ = 0;
    bool crouching_ = false;
    bool outOfLives_ = false;
    float leftGroundAt_ = 0.0f;
    uint32_t lastHeld_ = 0;

    CurrentInstance<Player> current_{this};
};

// The hero alive now, or null.
inline Player* ThePlayer() { return CurrentInstance<Player>::Get(); }
