#pragma once
#include "things/Enemy.h"
#include "things/GuardianArt.h"
#include "things/SharedArt.h"
#include <memory>
#include <optional>

// The keep's guardian: a hulking armoured foe that faces the hero and takes
// turns between a charge (a crouch, then a rush until a wall or the end of
// the ground) and a leap that throws three bones in a spread as it lands.
// It sleeps where it stands until the hero first comes near, and fights only
// then, and only while the screen shows it: it starts an attack, and throws,
// once it has been on the screen for half a second. While it lives a gate
// bars the stage's exit; when it falls the gate opens and the guardian stays
// fallen when the hero comes back.
class Guardian : public Enemy {
public:
    Guardian(const PlacedThing& placed, ThingStage& stage);
    void Update(float step) override;
    void Draw() override;

    enum class Move { Rest, Crouch, Charge, Leap };
    Move CurrentMove() const { return move_; }
    bool Awake() const { return awake_; }

protected:
    void Act(float step) override;
    int32_t Frame() const override;

private:
    void Rest();
    void Crouch();
    void Charge(float step);
    void Leap(float step);
    bool HeroNear() const;
    void Begin(Move move);
    void FaceHero();
    bool BlockedAhead(float reach) const;
    void ThrowSpread();
    void MakeGate();
    void DrawHitPointBar() const;

    std::shared_ptr<GuardianArt> art_ = ShareArt<GuardianArt>();
    std::shared_ptr<bool> gateOpen_ = std::make_shared<bool>(false);
    Move move_ = Move::Rest;
    bool awake_ = false;
    bool leapNext_ = false;
    bool gateMade_ = false;
    int32_t moveSteps_ = 0;
    float rise_ = 0.0f;
};

// The portcullis at the exit of the guardian's stage: a wall one tile wide
// and as tall as the main grid while the guardian lives; when it falls the
// gate slides up and leaves the collision world. The guardian makes it.
class Gate : public Thing {
public:
    // `open` turns true when the guardian falls.
    Gate(float left, float height, std::shared_ptr<const bool> open, ThingStage& stage);
    void Update(float step) override;
    void Draw() override;
    bool Bars() const { return bars_.has_value(); }

private:
    std::shared_ptr<GuardianArt> art_ = ShareArt<GuardianArt>();
    std::shared_ptr<const bool> open_;
    std::optional<Collision::Rectangle> bars_;
    float height_;
    float raised_ = 0.0f;
};
