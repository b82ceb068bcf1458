#include "platform/Input.h"
#include "player/Player.h"
#include "textlevel/TextLevel.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace {
// A level and a play hero on it, stepped as the frame loop steps them.
class PlayScene {
    LevelNamespace::Level level_;

public:
    PlayScene(const std::vector<std::string>& rows, Vector3 start, PlayRules rules = PlayRules()) {
        LevelNamespace::BuildTextLevel(level_, rows);
        hero.position = start;
        hero.PlaceShapes();
        hero.StartPlay(rules);
    }
    ~PlayScene() { TheInput().held = TheInput().playHeld = 0; }

    void Step(uint32_t held) {
        TheCollisionWorld().Update();
        TheInput().held = held & ~kPlayActions;
        TheInput().playHeld = held & kPlayActions;
        hero.Update(1.0f);
    }
    // Holds `held` for `steps` steps; returns the highest the feet rose to.
    float Hold(uint32_t held, int steps) {
        float top = hero.position.y;
        for (int i = 0; i < steps; ++i) {
            Step(held);
            top = std::min(top, hero.position.y);
        }
        return top;
    }
    Player hero;
};

// Rows 24 pixels high: the floor's top is at y 144.
const std::vector<std::string> kFloor = {"..........", "..........", "..........", "..........",
                                         "..........", "..........", "##########"};
}

TEST(PlayHero, JumpsATileOnATapThreeOnAHoldOnlyFromTheGroundWithTheUsualMercies) {
    PlayScene scene(kFloor, Vector3(60, 144, 0));
    scene.Hold(0, 2);
    EXPECT_EQ(scene.hero.State(), HeroState::Stand);
    scene.Hold(Jump, 1);
    const float tapTop = scene.Hold(0, 60);
    EXPECT_GE(144 - tapTop, 20.0f);
    EXPECT_LE(144 - tapTop, 30.0f);
    EXPECT_EQ(scene.hero.position.y, 144.0f);
    const float fullTop = scene.Hold(Jump, 60);
    EXPECT_GE(144 - fullTop, 68.0f);
    EXPECT_LE(144 - fullTop, 76.0f);
    // Held on after landing, the key does not jump again.
    EXPECT_EQ(scene.Hold(Jump, 20), 144.0f);
    // A press in mid-air, long before landing, does not rise again.
    scene.Hold(0, 1);
    scene.Hold(Jump, 12);
    const float apex = scene.Hold(0, 14);
    EXPECT_EQ(scene.hero.State(), HeroState::Fall);
    const float before = scene.hero.position.y;
    scene.Hold(Jump, 1);
    EXPECT_GT(scene.hero.position.y, before);
    EXPECT_GT(scene.Hold(0, 50), apex);
    EXPECT_EQ(scene.hero.position.y, 144.0f);
    // A press a few steps before landing jumps on landing.
    scene.Hold(Jump, 1);
    while (scene.hero.position.y < 138) scene.Step(0);
    scene.Hold(Jump, 1);
    EXPECT_LT(scene.Hold(0, 12), 130.0f);
    scene.Hold(0, 60);
    // Falling tops out at the engine's 6 pixels a step.
    PlayScene high({".", ".", ".", ".", ".", ".", ".", ".", ".", ".", "#"}, Vector3(12, 60, 0));
    float last = high.hero.position.y, fastest = 0;
    for (int i = 0; i < 30; ++i) {
        high.Step(0);
        fastest = std::max(fastest, high.hero.position.y - last);
        last = high.hero.position.y;
    }
    EXPECT_NEAR(fastest, 6.0f, 0.001f);
    // Walked off an edge, he may still jump on his first 5 steps of falling
    // (6 from the last step a foot touched), and no later.
    for (const int inAir : {4, 5}) {
        PlayScene edge({"..........", "..........", "..........", "..........", "####......"}, Vector3(60, 96, 0));
        while (edge.hero.position.y == 96.0f) edge.Step(Right);
        edge.Hold(Right, inAir);
        edge.Step(Right | Jump);
        EXPECT_EQ(edge.hero.State(), inAir == 4 ? HeroState::Jump : HeroState::Fall) << inAir;
    }
}

TEST(PlayHero, LandsOnALedgeFromBelowDropsThroughItButNeverThroughAWall) {
    const std::vector<std::string> rows = {"..........", "..........", "..........", "..........",
                                           "...====...", "..........", "##########"};
    PlayScene scene(rows, Vector3(96, 144, 0));
    scene.Hold(Jump, 40);
    scene.Hold(0, 30);
    EXPECT_EQ(scene.hero.position.y, 96.0f);  // up through the ledge and onto it
    EXPECT_EQ(scene.hero.State(), HeroState::Stand);
    scene.Hold(Down, 3);
    EXPECT_EQ(scene.hero.State(), HeroState::Crouch);
    scene.Hold(Down | Jump, 1);
    scene.Hold(0, 40);
    EXPECT_EQ(scene.hero.position.y, 144.0f);
    // Jumps of every height into the ledge end on it or back on the floor,
    // never with the feet in the ledge, standing on its bottom.
    for (int held = 1; held <= 12; ++held) {
        scene.Hold(Jump, held);
        scene.Hold(0, 60);
        EXPECT_TRUE(scene.hero.position.y == 144.0f || scene.hero.position.y == 96.0f) << held;
        scene.Hold(Down | Jump, 1);
        scene.Hold(0, 40);
    }
    // On a wall floor Down with jump neither drops nor jumps.
    EXPECT_EQ(scene.Hold(Down | Jump, 30), 144.0f);
    EXPECT_EQ(scene.hero.position.y, 144.0f);
    // Nor do knockbacks and jumps into a wall's side take him into it.
    PlayScene walled({"..#.......", "..#.......", "..#.......", "..#.......", "..#.......", "..#.......", "##########"},
                     Vector3(90, 144, 0));
    for (uint32_t held : {uint32_t(Left), uint32_t(Left | Jump), uint32_t(Left | Down), uint32_t(Left | Attack)}) {
        walled.Hold(held, 40);
        EXPECT_GE(walled.hero.position.x, 82.0f) << held;
    }
    walled.hero.Hurt(1, 200);
    walled.Hold(0, 40);
    EXPECT_GE(walled.hero.position.x, 82.0f);
    // The stage's left edge and top hold him too.
    PlayScene low({"..........", "..........", "##########"}, Vector3(30, 48, 0));
    EXPECT_EQ(low.Hold(Left | Jump, 40), low.hero.size.y);
    EXPECT_EQ(low.hero.position, Vector3(10, 48, 0));
}

TEST(PlayHero, TheWhipHitsFromHisMiddleOutwardsSoonAfterThePressAheadLowOrUpwards) {
    const Vector3 feet(200, 144, 0);
    float lastReach = 0;
    for (int32_t level = 1; level <= Whip::kLevels; ++level) {
        for (Whip::Aim aim : {Whip::Aim::Ahead, Whip::Aim::Low, Whip::Aim::Up}) {
            const Collision::Rectangle right = Whip::HitBox(feet, 1, level, aim);
            const Collision::Rectangle left = Whip::HitBox(feet, -1, level, aim);
            EXPECT_EQ(right.min.x, feet.x);  // no gap before the body's edge
            EXPECT_EQ(right.max.x == feet.x + Whip::Reach(level), aim != Whip::Aim::Up);
            EXPECT_EQ(left.max.x, feet.x);
            EXPECT_EQ(left.min.y, right.min.y);
            EXPECT_LT(right.min.y, feet.y - (aim == Whip::Aim::Up ? 66 : aim == Whip::Aim::Low ? 19 : 26));
        }
        EXPECT_GT(Whip::Reach(level), lastReach);
        lastReach = Whip::Reach(level);
    }
    PlayScene scene(kFloor, Vector3(120, 144, 0), PlayRules{72, 5, 3, 2});
    scene.Hold(Left, 2);
    const float x = scene.hero.position.x;
    std::vector<int> boxSteps;
    for (int step = 0; step < Whip::kSteps + 5; ++step) {
        scene.Step(step == 0 ? Attack : Right);
        const auto& box = scene.hero.TheWhip().Box();
        if (!box) continue;
        boxSteps.push_back(step);
        EXPECT_EQ(box->world, &TheCollisionWorld());
        EXPECT_EQ(box->category, kWhipCategory);
        EXPECT_EQ(box->min.x, x - Whip::Reach(2));  // still facing left, rooted
    }
    EXPECT_EQ(boxSteps, std::vector<int>({4, 5, 6, 7, 8, 9}));  // in the pass by the fifth step
    EXPECT_EQ(scene.hero.Facing(), 1);                          // turned once the crack was over
    scene.Hold(Down, 2), scene.Hold(Down | Attack, 1), scene.Hold(0, 8);
    EXPECT_EQ(scene.hero.bodyBox.min.y, 144 - Player::kCrouchHeight);  // lower, through a crack from the crouch
    scene.Hold(0, 5), scene.Hold(Up | Attack, 8);
    EXPECT_EQ(scene.hero.TheWhip().Aimed(), Whip::Aim::Up);
    scene.hero.TheWhip().Raise();
    scene.hero.TheWhip().Raise();
    EXPECT_EQ(scene.hero.TheWhip().Level(), 3);
}

TEST(PlayHero, HitsKnockBackAndSpareHimAWhileDeathsCostLivesUntilNoneAreLeft) {
    PlayScene scene(kFloor, Vector3(120, 144, 0), PlayRules{72, 3, 2, 1});
    scene.Hold(0, 2);
    EXPECT_TRUE(scene.hero.Hurt(1, 150));  // from the right: knocked to the left
    EXPECT_EQ(scene.hero.Hearts(), 2);
    EXPECT_EQ(scene.hero.Facing(), 1);
    scene.Step(Right);
    EXPECT_EQ(scene.hero.State(), HeroState::Hurt);
    EXPECT_FALSE(scene.hero.Hurt(1, 150));
    scene.Hold(Right, Player::kKnockbackSteps);
    EXPECT_LT(scene.hero.position.x, 100.0f);
    EXPECT_EQ(scene.hero.position.y, 144.0f);
    scene.Hold(0, Player::kUntouchableSteps - Player::kKnockbackSteps - 2);
    EXPECT_FALSE(scene.hero.Hurt(1, 0));
    scene.Hold(0, 1);
    EXPECT_TRUE(scene.hero.Hurt(1, 0));
    EXPECT_EQ(scene.hero.Facing(), -1);
    scene.Hold(0, Player::kUntouchableSteps);
    scene.hero.position.x = 200;
    EXPECT_TRUE(scene.hero.Hurt(5, 0));
    EXPECT_EQ(scene.hero.Hearts(), 0);
    EXPECT_EQ(scene.hero.State(), HeroState::Dead);
    const Vector3 deathPlace = scene.hero.position;
    std::vector<int32_t> frames;
    for (int step = 1; step < Player::kDyingSteps; ++step) {
        scene.Step(Right | Jump);
        frames.push_back(scene.hero.BodyFrame());
    }
    EXPECT_EQ(scene.hero.position, deathPlace);  // lies still while dying
    // He falls for a third of his dying, then lies on the ground.
    EXPECT_EQ(frames[Player::kDyingSteps / 3 - 3], frames[0]);
    EXPECT_NE(frames[Player::kDyingSteps / 3 + 2], frames[0]);
    scene.Step(0);
    EXPECT_EQ(scene.hero.position, Vector3(120, 144, 0));  // back at the checkpoint
    EXPECT_EQ(scene.hero.Hearts(), 3);
    EXPECT_EQ(scene.hero.Lives(), 1);
    EXPECT_FALSE(scene.hero.OutOfLives());
    scene.hero.Die();
    scene.Hold(0, Player::kDyingSteps);
    EXPECT_TRUE(scene.hero.OutOfLives());
    EXPECT_EQ(scene.hero.Lives(), 0);
}
