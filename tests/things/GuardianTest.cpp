// The keep's guardian on text levels, stepped as a stage steps it.
#include "core/EntityManager.h"
#include "platform/DataDir.h"
#include "platform/Input.h"
#include "platform/Renderer.h"
#include "player/Player.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include "textlevel/TextLevel.h"
#include "things/Guardian.h"
#include "things/GuardianArt.h"
#include "things/StageRecord.h"
#include "things/Thing.h"
#include "world/PlayCamera.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <set>
#include <sys/stat.h>
#include <thread>

namespace {
struct GuardianStage {
    GuardianStage(const std::vector<std::string>& rows, float heroX, const std::string& marker) {
        auto level = std::make_unique<LevelNamespace::Level>();
        LevelNamespace::BuildTextLevel(*level, rows);
        things.level = level.get();
        entities.Add(std::move(level));
        auto owned = std::make_unique<Player>();
        hero = owned.get();
        hero->position = Vector3(heroX, 120);
        hero->PlaceShapes();
        hero->StartPlay(PlayRules());
        things.hero = HeroContact(hero);
        entities.Add(std::move(owned));
        const LevelFile::NamedMarker named = MarkerWithText("duskhold " + marker);
        PlacedThing placed{FindThingKind("guardian"), {}, 7};
        std::vector<std::string> problems;
        placed.values = ReadMarkerFields(named, placed.kind->fields, marker, problems);
        std::unique_ptr<Thing> made = MakeThing(placed, things);
        guardian = dynamic_cast<Guardian*>(made.get());
        if (made) entities.Add(std::move(made));
    }
    ~GuardianStage() { TheInput().playHeld = 0; }
    void Step(uint32_t held = 0, int steps = 1) {
        for (int i = 0; i < steps; ++i) {
            TheCollisionWorld().Update();
            TheInput().playHeld = held;
            entities.Update(1.0f);
            // The view follows him as the stage's does.
            camera.Step({hero->position, hero->Facing(), hero->OnGround()});
            things.view = TheCamera().View();
        }
    }

    PlayCamera camera{TheCamera()};
    StageRecord record;
    ThingStage things{record};
    EntityManager entities;
    Player* hero = nullptr;
    Guardian* guardian = nullptr;
};
}

// The guardian waits in a walled niche the whip reaches over; the exit line
// is at 456, the gate left of it.
TEST(Guardian, ItsGateHoldsTheHeroUntilItFallsToHpCracksAndThenItStaysFallen) {
    GuardianStage stage({"....................", "..#..#..............", "..#..#..............", "..#..#..............",
                         "..#..#..............", "####################"},
                        160, "guardian x=96 y=120 hp=2");
    ASSERT_TRUE(stage.guardian);
    stage.Step(Right, 150);
    EXPECT_LT(stage.hero->position.x, 423.0f);
    stage.Step(Left, 150);
    for (int crack = 0; crack < 2; ++crack) stage.Step(Attack), stage.Step(0, Whip::kSteps + 2);
    EXPECT_EQ(stage.record.takenForGood, std::set<size_t>{7});
    stage.Step(Right, 200);
    EXPECT_GT(stage.hero->position.x, 456.0f);
}

// Struck once of its two hit points, the waking guardian's bar across the
// top of the screen is lit on its left half and dark on its right, within
// its darker frame.
TEST(Guardian, ItsBarShowsTheHitPointsLeft) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    std::string error;
    ASSERT_TRUE(EnterDataDir(BuiltDataDir(), error)) << error;
    GuardianStage stage({"....................", "..#..#..............", "..#..#..............", "..#..#..............",
                         "..#..#..............", "####################"},
                        160, "guardian x=96 y=120 hp=2");
    ASSERT_TRUE(stage.guardian);
    stage.Step(Left, 150);
    stage.Step(Attack), stage.Step(0, Whip::kSteps + 2);
    ClearScreen();
    stage.entities.Draw();
    ExpectPixels(window, {{109, 20, Color::FromBytes(0x16, 0x0E, 0x1A, 0xFF)},
                          {159, 20, Color::FromBytes(0xC8, 0x34, 0x3C, 0xFF)},
                          {160, 20, Color::FromBytes(0x3A, 0x14, 0x18, 0xFF)},
                          {209, 20, Color::FromBytes(0x3A, 0x14, 0x18, 0xFF)}});
}

// It sleeps in place while the hero is 240 px away, and 120 px above it on
// a shelf within 200 px across, and wakes as he drops from the shelf. Its
// `charge` field (tenths of a pixel a step) sets how fast it rushes.
TEST(Guardian, ItSleepsUntilTheHeroComesNearThenChargesAlongTheGroundAndLeapsThrowingThreeBones) {
    const std::string empty(20, '.');
    GuardianStage stage(
        {empty, empty, empty, empty, empty, "........############", empty, empty, empty, empty, std::string(20, '#')},
        300, "guardian x=60 y=240 charge=40");
    ASSERT_TRUE(stage.guardian);
    stage.Step(0, 300);
    stage.Step(Left, 25);
    EXPECT_FALSE(stage.guardian->Awake());
    EXPECT_EQ(stage.guardian->CurrentMove(), Guardian::Move::Rest);
    EXPECT_FLOAT_EQ(stage.guardian->position.x, 60.0f);
    EXPECT_EQ(stage.entities.Entities().size(), 4u);  // level, hero, guardian and gate: no bones
    stage.Step(Left, 45);
    EXPECT_TRUE(stage.guardian->Awake());
    std::set<Guardian::Move> seen;
    float fastest = 0, highest = 240;
    size_t most = 0;
    int crouched = 0;  // steps of its first crouch
    // Off the screen it only rests: the hero turns to keep it on his.
    for (int i = 0; i < 400; ++i) {
        const Vector3 before = stage.guardian->position;
        const bool shown = stage.things.view.Shows(before - Vector3(0, 28));
        stage.Step(shown ? 0 : before.x > stage.hero->position.x ? Right : Left);
        if (stage.guardian->CurrentMove() == Guardian::Move::Crouch && !seen.count(Guardian::Move::Charge)) ++crouched;
        seen.insert(stage.guardian->CurrentMove());
        if (stage.guardian->CurrentMove() == Guardian::Move::Charge)
            fastest = std::max(fastest, std::fabs(stage.guardian->position.x - before.x));
        highest = std::min(highest, stage.guardian->position.y);
        most = std::max(most, stage.entities.Entities().size());
    }
    EXPECT_EQ(seen.size(), 4u);
    EXPECT_FLOAT_EQ(fastest, 4.0f);
    EXPECT_EQ(crouched, 30);  // its warning before the charge
    EXPECT_LT(highest, 192.0f);
    EXPECT_GE(most, 7u);  // level, hero, guardian, gate and three bones
    EXPECT_LT(stage.hero->Hearts(), 5);
}

// The gate grinds up once: the disk driver, which writes the mix as fast as
// it can, has the rumble's 0.4 s in its first second and silence after it.
TEST(Guardian, TheGateRumblesOnceAsItOpens) {
    TempDir dir;
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (dir / "out.raw").c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    GlWindow window;
    ASSERT_TRUE(window.Open());
    std::string error;
    ASSERT_TRUE(EnterDataDir(BuiltDataDir(), error)) << error;
    InitSoundSystem();
    ASSERT_TRUE(SoundEnabled());
    struct stat info {};
    auto written = [&] { return stat((dir / "out.raw").c_str(), &info) == 0 ? long(info.st_size) : 0L; };
    long start = 0;
    const long second = 44100 * 4;
    {
        GuardianArt art;
        start = written();
        art.PlayGateOpening();
        for (int tries = 0; tries < 2000 && written() < start + 2 * second; ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    TheSoundSystem()->close();
    std::ifstream in(dir / "out.raw", std::ios::binary);
    std::vector<int16_t> samples(size_t(2 * second / 2));
    in.seekg(start);
    in.read(reinterpret_cast<char*>(samples.data()), std::streamsize(samples.size() * 2));
    const auto loud = [&](size_t from, size_t to) {
        return std::any_of(samples.begin() + long(from), samples.begin() + long(to), [](int16_t s) { return s != 0; });
    };
    EXPECT_TRUE(loud(0, samples.size() / 2));
    EXPECT_FALSE(loud(samples.size() / 2, samples.size()));
}
