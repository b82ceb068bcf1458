#include "ScenePictures.h"
#include "platform/Input.h"
#include "platform/Renderer.h"
#include "player/Player.h"
#include "support/GlWindow.h"
#include "textlevel/TextLevel.h"
#include "world/Camera.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const Color kWhiteKey(0xFFFFFFFFu);
const Color kSky = Opaque(0, 0, 160);
const Color kBrick = Opaque(200, 0, 0);
const Color kHero = Opaque(0, 200, 0);
const Color kWallOverlay = Opaque(0, 255, 255);
const Color kHeroOverlay = Opaque(255, 128, 0);

// What alpha blending of `top` at `alpha` over `below` gives.
Color Blend(Color top, int alpha, Color below) {
    auto mix = [&](int t, int b) { return (t * alpha + b * (255 - alpha)) / 255; };
    return Opaque(mix(top.R(), below.R()), mix(top.G(), below.G()), mix(top.B(), below.B()));
}

::testing::AssertionResult Near(Color actual, Color expected) {
    auto close = [](int a, int b) { return std::abs(a - b) <= 2; };
    if (close(actual.R(), expected.R()) && close(actual.G(), expected.G()) && close(actual.B(), expected.B()))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << int(actual.R()) << "," << int(actual.G()) << ","
                                         << int(actual.B()) << " wanted " << int(expected.R()) << ","
                                         << int(expected.G()) << "," << int(expected.B());
}

// Runs the test from a folder holding the hero's sheet, as the game runs
// from its data folder.
class InFolder {
public:
    explicit InFolder(const std::string& dir) : previous_(getcwd(nullptr, 0)) { EXPECT_EQ(chdir(dir.c_str()), 0); }
    ~InFolder() {
        EXPECT_EQ(chdir(previous_), 0);
        free(previous_);
    }

private:
    char* previous_;
};
}

TEST(HeroSceneGl, LevelHeroAndOverlayLandOnTheirPixels) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    TempDir temp;
    const std::string& dir = temp.path;
    mkdir((dir + "/sprites").c_str(), 0755);
    WritePicture(dir + "/sprites/Aldric-Spriteset2.png", 510, 48,
                 [](int x, int) { return x < 51 ? kHero : kWhiteKey; });
    WritePicture(dir + "/brick.png", 24, 24, [](int, int) { return kBrick; });
    WritePicture(dir + "/sky.png", 320, 240, [](int, int) { return kSky; });
    InFolder folder(dir);

    std::vector<std::string> rows(12, "....................");
    rows[11][10] = 'P';
    rows.insert(rows.end(), 3, "####################");  // the floor's top at y 288
    LevelNamespace::Level level;
    LevelNamespace::BuildTextLevel(level, rows);
    level.tilePictures.emplace_back("brick.png", kWhiteKey, 24, 24);
    LevelNamespace::BackgroundLayer& sky = level.backgrounds.emplace_back();
    sky.picture = Sprite("sky.png", kWhiteKey, 320, 240, 512);

    Player hero;
    hero.position = LevelNamespace::TextLevelStart(rows);
    hero.PlaceShapes();
    ASSERT_EQ(hero.position, Vector3(252, 288, 0));
    TheCollisionWorld().Update();
    TheInput().held = 0;
    hero.Update(1.0f);
    ASSERT_EQ(hero.position, Vector3(252, 288, 0));
    ASSERT_EQ(Camera::X(), 92.0f);   // 252 - 160
    ASSERT_EQ(Camera::Y(), 120.0f);  // 168 wanted, held at 360 - 240

    ClearScreen();
    level.Draw();
    hero.Draw();
    TheCollisionWorld().DrawAll(-Camera::X(), -Camera::Y());

    EXPECT_TRUE(Near(window.Pixel(5, 5), kSky));
    EXPECT_TRUE(Near(window.Pixel(28, 168), kWallOverlay));  // the tile at (120, 288): outline
    EXPECT_TRUE(Near(window.Pixel(30, 180), Blend(kWallOverlay, 30, kBrick)));
    // The picture's top-left at (252 - 19 - 92, 288 - 48 - 120).
    EXPECT_TRUE(Near(window.Pixel(141, 120), kHero));
    EXPECT_TRUE(Near(window.Pixel(140, 120), kSky));
    EXPECT_TRUE(Near(window.Pixel(191, 130), kHero));
    EXPECT_TRUE(Near(window.Pixel(192, 130), kSky));
    EXPECT_TRUE(Near(window.Pixel(141, 119), kSky));
    // The body box from screen x 150 to 170: outline, then its fill.
    EXPECT_TRUE(Near(window.Pixel(150, 140), kHeroOverlay));
    EXPECT_TRUE(Near(window.Pixel(160, 130), Blend(kHeroOverlay, 30, kHero)));
    // The right lower probe at (262, 273): a 2 by 2 square.
    EXPECT_TRUE(Near(window.Pixel(171, 154), Blend(kHeroOverlay, 230, kHero)));
    EXPECT_TRUE(Near(window.Pixel(172, 154), kHero));
}
