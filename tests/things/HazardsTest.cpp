#include "collision/Collision.h"
#include "core/EntityManager.h"
#include "platform/DataDir.h"
#include "platform/Input.h"
#include "player/Player.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include "textlevel/TextLevel.h"
#include "things/CrumblingPlatform.h"
#include "things/Lantern.h"
#include "things/StageRecord.h"
#include "things/Thing.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstdint>

namespace {
// A play hero on a floor whose top is at y 216, and things, stepped as the stage steps them.
class ThingScene {
    LevelNamespace::Level level_;

public:
    explicit ThingScene(Vector3 start) {
        LevelNamespace::BuildTextLevel(level_, {"", "", "", "", "", "", "", "", "", "##############"});
        auto owned = std::make_unique<Player>();
        hero = owned.get();
        hero->position = start;
        hero->PlaceShapes();
        hero->StartPlay(PlayRules());
        things.hero = HeroContact(hero);
        entities.Add(std::move(owned));
    }
    ~ThingScene() { TheInput().held = TheInput().playHeld = 0; }

    Thing* Add(const char* kind, MarkerValues values, std::optional<size_t> index = 0) {
        std::unique_ptr<Thing> thing = MakeThing(PlacedThing{FindThingKind(kind), values, index}, things);
        Thing* made = thing.get();
        entities.Add(std::move(thing));
        return made;
    }
    void Hold(uint32_t held, int steps) {
        for (int i = 0; i < steps; ++i) {
            TheCollisionWorld().Update();
            TheInput().held = held & ~kPlayActions;
            TheInput().playHeld = held & kPlayActions;
            entities.Update(1.0f);
        }
    }
    StageRecord record;
    ThingStage things{record};
    EntityManager entities;
    Player* hero = nullptr;
};
}

TEST(Hazards, AMovingPlatformCarriesTheHeroEveryWayAndHeJumpsUpThroughIt) {
    for (Vector3 path : {Vector3(96, 0, 0), Vector3(-96, 0, 0), Vector3(0, -72, 0), Vector3(0, 72, 0)}) {
        ThingScene scene(Vector3(150, 96, 0));
        Thing* platform =
            scene.Add("platform", {{"x", 150}, {"y", 120}, {"dx", int32_t(path.x)}, {"dy", int32_t(path.y)}});
        scene.Hold(0, 40);
        const float length = std::hypot(path.x, path.y);
        EXPECT_EQ(platform->position, Vector3(150 + path.x / length * 40, 120 + path.y / length * 40));
        EXPECT_EQ(scene.hero->position, platform->position - Vector3(0, 24, 0)) << path.x << "," << path.y;
        EXPECT_EQ(scene.hero->State(), HeroState::Stand);
    }
    ThingScene below(Vector3(150, 216, 0));
    below.Add("platform", {{"x", 150}, {"y", 192}, {"dx", 0}});
    below.Hold(Jump, 40);
    below.Hold(0, 30);
    EXPECT_EQ(below.hero->position.y, 168.0f);
}

using HazardArt = GlTest;

// A crumbling ledge shows its cracks from the step the hero lands on it: on
// its first two steps of warning, shaken the same way, it is drawn alike.
TEST_F(HazardArt, ACrumblingPlatformShowsItsCracksFromTheStepTheHeroLands) {
    std::string error;
    ASSERT_TRUE(EnterDataDir(BuiltDataDir(), error)) << error;
    ThingScene scene(Vector3(150, 168, 0));
    auto* ledge = static_cast<CrumblingPlatform*>(scene.Add("crumble", {{"x", 150}, {"y", 192}, {"delay", 40}}));
    const auto drawn = [&] { return Recorded([&] { ledge->Draw(); }); };
    scene.Hold(0, 1);
    ASSERT_TRUE(ledge->Warns());
    const DrawList landed = drawn();
    scene.Hold(0, 1);
    EXPECT_GT(landed.Size(), 0u);
    EXPECT_TRUE(landed.SameQuadsAs(drawn()));
}

TEST(Hazards, ACrumblingPlatformWarnsFallsAndComesBackOnceTheHeroIsClearAndSpikesHurtAndPushBack) {
    // Its place is a tile above the floor, where the hero stands once it is gone.
    ThingScene scene(Vector3(150, 168, 0));
    auto* ledge = static_cast<CrumblingPlatform*>(scene.Add("crumble", {{"x", 150}, {"y", 192}, {"delay", 10}}));
    // Falling away past the hero, the ledge is drawn under him as ledge tiles are.
    EXPECT_EQ(ledge->Layer(), DrawLayer::Ground);
    // A delay shorter than the least warning still shakes that long first.
    scene.Hold(0, CrumblingPlatform::kLeastWarningSteps);
    EXPECT_TRUE(ledge->Warns());
    scene.Hold(0, 3);
    EXPECT_FALSE(ledge->Holds());
    // Standing where it would come back, he keeps it away until he walks clear.
    scene.Hold(0, CrumblingPlatform::kReturnSteps);
    EXPECT_FALSE(ledge->Holds());
    scene.Hold(Right, 21);
    EXPECT_TRUE(ledge->Holds() && !ledge->Warns());
    // Walking right into spikes, and jumping up into hanging ones.
    ThingScene spiked(Vector3(60, 216, 0));
    spiked.Add("spikes", {{"x", 132}, {"y", 216}, {"width", 2}});
    spiked.Add("spikes", {{"x", 60}, {"y", 150}, {"width", 3}, {"ceiling", 1}});
    spiked.Hold(Right, 30);
    EXPECT_EQ(spiked.hero->Hearts(), PlayRules().hearts - 1);
    // The hit says how long the spikes had been shown: from the first step.
    ASSERT_TRUE(spiked.things.hit);
    EXPECT_STREQ(spiked.things.hit->kind, "spikes");
    EXPECT_GE(spiked.things.hit->seen, 20);
    EXPECT_LT(spiked.hero->position.x, 100.0f);
    spiked.Hold(0, 70);
    spiked.Hold(Jump, 20);
    EXPECT_EQ(spiked.hero->Hearts(), PlayRules().hearts - 2);
}

TEST(Hazards, PickupsHealRaiseTheWhipAndCountGemsAndTheHeroComesBackAtTheLanternHeTouched) {
    ThingScene scene(Vector3(30, 216, 0));
    scene.hero->Hurt(2, 0);
    const Thing* heart = scene.Add("heart", {{"x", 80}, {"y", 216}}, 0);
    scene.Add("heart", {{"x", 100}, {"y", 216}}, std::nullopt);
    scene.Add("whip", {{"x", 130}, {"y", 216}}, 1);
    scene.Add("gem", {{"x", 160}, {"y", 216}}, 2);
    scene.Add("lantern", {{"x", 200}, {"y", 216}}, 3);
    // A taken heart rises out of sight without its box or its outline.
    scene.Hold(Right, 20);
    EXPECT_EQ(scene.hero->Hearts(), PlayRules().hearts - 1);
    EXPECT_EQ(heart->Box(), nullptr);
    for (const Collision::ICollision* shape : TheCollisionWorld().Shapes())
        EXPECT_FALSE(shape && shape->owner == heart);
    scene.Hold(Right, 90);
    EXPECT_EQ(scene.hero->Hearts(), PlayRules().hearts);
    EXPECT_EQ(scene.hero->TheWhip().Level(), PlayRules().whipLevel + 1);
    EXPECT_EQ(scene.record.gemsFound, 1);
    EXPECT_EQ(scene.record.takenForGood, (std::set<size_t>{0, 1, 2}));
    EXPECT_EQ(scene.entities.Entities().size(), 2u);  // the hero and the lantern
    // Dying in the air he falls to the floor before he lies down there.
    scene.Hold(Jump, 12);
    scene.hero->Die();
    scene.Hold(0, Player::kDyingSteps - 2);
    EXPECT_EQ(scene.hero->position.y, 216.0f);
    EXPECT_EQ(scene.hero->BodyFrame(), 13);
    scene.Hold(0, 4);
    EXPECT_EQ(scene.hero->position, Vector3(200, 216, 0));
    EXPECT_TRUE(static_cast<Lantern*>(scene.Add("lantern", {{"x", 200}, {"y", 216}}, 3))->Lit());
}
