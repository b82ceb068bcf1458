#pragma once
#include "collision/Collision.h"
#include "base/CurrentInstance.h"
#include "core/Entity.h"
#include "base/Vector3.h"
#include "platform/Sound.h"
#include "platform/Sprite.h"
#include <array>
#include <memory>

// The hero: moves by the held directions, falls unless ButtonB lifts it,
// is pushed out of the level's tiles by what its probes touched in the
// step's collision pass, and keeps the camera on itself.
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
    // Pushes the hero out of the tiles its probes touched, phase by phase:
    // left wall, right wall, floor, ceiling.
    void ResolveCollisions();
    void Update(float step) override;
    void Draw() override;

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

    CurrentInstance<Player> current_{this};
};

// The hero alive now, or null.
inline Player* ThePlayer() { return CurrentInstance<Player>::Get(); }
