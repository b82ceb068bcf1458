// The enemies on text levels, stepped as a stage steps them: the collision
// pass, then the level, the hero and the things in the manager's order.
#include "core/EntityManager.h"
#include "platform/Input.h"
#include "player/Player.h"
#include "textlevel/TextLevel.h"
#include "things/Bone.h"
#include "things/Enemy.h"
#include "things/StageRecord.h"
#include "things/Thing.h"
#include "world/Camera.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {
class Stage {
public:
    Stage(const std::vector<std::string>& rows, Vector3 heroFeet) {
        auto level = std::make_unique<LevelNamespace::Level>();
        LevelNamespace::BuildTextLevel(*level, rows);
        things.level = level.get();
        entities.Add(std::move(level));
        auto owned = std::make_unique<Player>();
        hero = owned.get();
        hero->position = heroFeet;
        hero->PlaceShapes();
        hero->StartPlay(PlayRules());
        things.hero = HeroContact(hero);
        entities.Add(std::move(owned));
    }
    ~Stage() { TheInput().playHeld = 0; }

    // Places a thing by the text of its marker, "walker x=100 y=120 ...".
    Thing* Place(const std::string& text) {
        const LevelFile::NamedMarker marker = MarkerWithText("duskhold " + text);
        PlacedThing placed;
        placed.kind = FindThingKind(MarkerKind(marker));
        std::vector<std::string> problems;
        placed.values = ReadMarkerFields(marker, placed.kind->fields, text, problems);
        std::unique_ptr<Thing> thing = MakeThing(placed, things);
        Thing* made = thing.get();
        entities.Add(std::move(thing));
        return made;
    }
    void Step(uint32_t held = 0, int steps = 1) {
        for (int i = 0; i < steps; ++i) {
            TheCollisionWorld().Update();
            TheInput().playHeld = held;
            entities.Update(1.0f);
        }
    }
    void Crack(int times) {
        for (int i = 0; i < times; ++i) Step(Attack), Step(0, Whip::kSteps + 2);
    }
    int Count(const std::string& kind) const {
        const std::vector<Entity*> all = entities.Entities();
        return int(std::count_if(all.begin(), all.end(), [&](Entity* entity) {
            const Thing* thing = dynamic_cast<const Thing*>(entity);
            return thing && kind == thing->KindName();
        }));
    }
    std::vector<Entity*> Things() const { return entities.Entities(); }

    StageRecord record;
    ThingStage things{record};
    EntityManager entities;
    Player* hero = nullptr;
};

// The lowest and highest x of a thing over some steps.
std::pair<float, float> Span(Stage& stage, const Thing* thing, int steps) {
    std::pair<float, float> span(thing->position.x, thing->position.x);
    for (int i = 0; i < steps; ++i) {
        stage.Step();
        span = {std::min(span.first, thing->position.x), std::max(span.second, thing->position.x)};
    }
    return span;
}
}

TEST(Enemies, WalkersLandAndTurnAtWallsLedgeEndsAndTheEndOfTheirRange) {
    Stage stage({"#...........#.....", "#...........#.....", "#...........#.....", "#...........#.....",
                 "#......=====#.....", "#######.....####.."},
                Vector3(340, 120));
    stage.Place("walker x=410 y=20");  // over no ground: falls out of the stage
    const Thing* floor = stage.Place("walker x=100 y=20 range=0");
    const Thing* ledge = stage.Place("walker x=228 y=96 range=0");
    const Thing* ranged = stage.Place("walker x=100 y=120 range=24");
    const auto floorSpan = Span(stage, floor, 600);
    EXPECT_EQ(stage.Count("walker"), 3);
    EXPECT_EQ(floor->position.y, 120.0f);
    EXPECT_NEAR(floorSpan.first, 33, 1.0f);    // the wall's side at 24
    EXPECT_NEAR(floorSpan.second, 159, 1.0f);  // the floor ends at 168
    const auto ledgeSpan = Span(stage, ledge, 400);
    EXPECT_EQ(ledge->position.y, 96.0f);
    EXPECT_NEAR(ledgeSpan.first, 177, 1.0f);   // the ledge starts at 168
    EXPECT_NEAR(ledgeSpan.second, 279, 1.0f);  // the wall at 288
    const auto rangedSpan = Span(stage, ranged, 200);
    EXPECT_NEAR(rangedSpan.first, 76, 1.0f);
    EXPECT_NEAR(rangedSpan.second, 124, 1.0f);
    EXPECT_EQ(stage.hero->Hearts(), 5);
}

// Both stand on a block the whips reach and the hero's body does not.
TEST(Enemies, AKnightShrugsOffTheLeatherWhipAndFallsToThreeOfTheChainAndAFallenDropAsksForAHeart) {
    Stage stage({"..........", "..........", "..........", "..........", "..#...#...", "##########"},
                Vector3(116, 120));
    const auto* knight = static_cast<const Enemy*>(stage.Place("knight x=156 y=96 range=0"));
    stage.Place("walker x=60 y=96 hp=2 drop=1");
    stage.Crack(3);
    EXPECT_EQ(knight->HitPoints(), 3);
    stage.Step(Left);
    stage.Crack(1);
    EXPECT_EQ(stage.Count("walker"), 1);
    stage.Crack(1);
    EXPECT_EQ(stage.Count("walker"), 0);
    EXPECT_EQ(stage.Count("heart"), 1);
    stage.Step(Right);
    stage.hero->TheWhip().Raise();
    stage.Crack(2);
    EXPECT_EQ(knight->HitPoints(), 1);
    stage.Crack(1);
    EXPECT_EQ(stage.Count("knight"), 0);
    EXPECT_EQ(stage.Count("heart"), 1);  // the knight had no drop=1
    EXPECT_EQ(stage.hero->Hearts(), 5);
}

TEST(Enemies, AWalkerThatReachesTheHeroAndABoneThrownInAnArcEachCostHimAHeart) {
    const std::vector<std::string> floor = {"..............", "..............", "..............", "..............",
                                            "##############"};
    {
        Stage stage(floor, Vector3(60, 96));
        stage.Place("walker x=100 y=96");
        stage.Step(0, 80);
        EXPECT_EQ(stage.hero->Hearts(), 4);
    }
    Stage stage(floor, Vector3(60, 96));
    stage.Place("thrower x=200 y=96 every=40");
    float thrownFrom = 0, thrownFromX = 0, highest = 1000, nearest = 1000;
    int flights = 0;
    for (int i = 0; i < 150 && stage.hero->Hearts() == 5; ++i) {
        stage.Step();
        for (Entity* entity : stage.Things())
            if (const Bone* bone = dynamic_cast<const Bone*>(entity)) {
                if (!flights++) thrownFrom = bone->position.y, thrownFromX = bone->position.x;
                highest = std::min(highest, bone->position.y);
                nearest = std::min(nearest, bone->position.x);
            }
    }
    EXPECT_EQ(stage.hero->Hearts(), 4);
    EXPECT_GT(flights, 20);
    EXPECT_LT(highest, thrownFrom - 16);
    EXPECT_LT(nearest, 80.0f);       // it reached the hero
    EXPECT_LE(thrownFromX, 192.0f);  // from the hand held out toward him
    EXPECT_TRUE(stage.things.hit && stage.things.hit->throwerSeen == 40);
    // A hero on the skeleton's right gets the bone from the hand held out that way.
    Stage right(floor, Vector3(280, 96));
    right.Place("thrower x=200 y=96 every=40");
    float rightFromX = 0;
    for (int i = 0; i < 60 && rightFromX == 0; ++i) {
        right.Step();
        for (Entity* entity : right.Things())
            if (const Bone* bone = dynamic_cast<const Bone*>(entity)) rightFromX = bone->position.x;
    }
    EXPECT_GE(rightFromX, 208.0f);
}

TEST(Enemies, ABatSwoopsAndASkeletonThrowsOnlyAtAHeroWithinReach) {
    const std::vector<std::string> floor = {"....................", "....................", "....................",
                                            "....................", "....................", "....................",
                                            "####################"};
    {
        Stage far(floor, Vector3(60, 144));
        const Thing* bat = far.Place("flier x=240 y=48 range=120");
        far.Place("thrower x=400 y=144 every=40");
        far.Step(0, 100);
        EXPECT_EQ(bat->position, Vector3(240, 48));
        EXPECT_EQ(far.Count("bone"), 0);
    }
    // Off the screen, a skeleton within reach does not throw and a ghoul near
    // the hero does not come at him; both start on their 30th step on it.
    {
        Stage unseen(floor, Vector3(60, 144));
        unseen.things.view = {-260, 0};
        const Thing* ghoul = unseen.Place("walker x=110 y=144");
        unseen.Place("thrower x=300 y=144 every=40");
        unseen.Step(0, 100);
        unseen.things.view = {0, 0};
        unseen.Step(0, 29);
        EXPECT_EQ(unseen.Count("bone"), 0);
        EXPECT_EQ(ghoul->position.x, 110.0f);
        unseen.Step();
        EXPECT_EQ(unseen.Count("bone"), 1);
        EXPECT_LT(ghoul->position.x, 110.0f);
    }
    // The curve would end at x 80, beyond a wall: the bat turns back along it.
    std::vector<std::string> walled = floor;
    for (size_t row = 0; row < 6; ++row) walled[row][3] = '#';
    Stage near(walled, Vector3(160, 144));
    const Thing* bat = near.Place("flier x=240 y=48 range=120");
    float lowest = 0, left = 240;
    for (int i = 0; i < 160; ++i) {
        near.Step();
        lowest = std::max(lowest, bat->position.y);
        left = std::min(left, bat->position.x);
    }
    EXPECT_GT(lowest, 120.0f);
    EXPECT_EQ(near.hero->Hearts(), 4);
    EXPECT_GE(left - 7, 96.0f);  // the wall's right side
    EXPECT_NEAR(bat->position.x, 240.0f, 0.01f);
    EXPECT_NEAR(bat->position.y, 48.0f, 0.01f);
}

// A bat dives only once it has been on the screen for half a second, and on
// a path a crack meets: from a hero who stands, crouches or lashes upwards
// and presses at any of a dozen steps after the dive begins, the bat dies
// without touching him. One out of the view waits; one spared turns back.
TEST(Enemies, ABatSeenLongEnoughDivesWhereTheWhipMeetsItAndTurnsWhenWhippedAndSpared) {
    std::vector<std::string> floor(6, std::string(20, '.'));
    floor.push_back(std::string(20, '#'));
    TheCamera().SetBounds(Vector3(), Vector3(480, 168));
    for (uint32_t held : {0u, uint32_t(Down), uint32_t(Up)}) {
        int widest = 0, run = 0;
        for (int delay = 0; delay < 24; ++delay) {
            Stage stage(floor, Vector3(160, 144));
            const Thing* bat = stage.Place("flier x=240 y=48 range=120 hp=" + std::string(delay == 0 ? "2" : "1"));
            int still = 0;
            while (bat->position == Vector3(240, 48) && still < 100) stage.Step(held), ++still;
            EXPECT_EQ(still, 31);  // on the screen from the start, it dives on the 30th step
            stage.Step(held, delay), stage.Step(held | Attack), stage.Step(held, 60);
            run = stage.Count("flier") == 0 && stage.hero->Hearts() == 5 ? run + 1 : 0;
            widest = std::max(widest, run);
            EXPECT_TRUE(delay > 0 || bat->position.x == 240.0f);  // spared, back where it hung
        }
        EXPECT_GE(widest, 12) << "keys " << held;
    }
    Stage unseen(floor, Vector3(160, 144));  // the view covers x 0 to 320
    const Thing* beyond = unseen.Place("flier x=400 y=48 range=240");
    unseen.Step(0, 100);
    EXPECT_EQ(beyond->position, Vector3(400, 48));
}
