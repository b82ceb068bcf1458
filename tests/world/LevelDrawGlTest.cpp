#include "ScenePictures.h"
#include "platform/Renderer.h"
#include "support/GlWindow.h"
#include "world/Camera.h"
#include "world/Level.h"
#include <gtest/gtest.h>

using LevelNamespace::BackgroundLayer;
using LevelNamespace::Level;

namespace {
const Color kWhiteKey(0xFFFFFFFFu);
const Color kBlack = Opaque(0, 0, 0);

// Pixels that tell which column of their picture they come from.
Color StripeColumn(int x, int) { return Opaque(x, 0x80, 0x40); }
Color TileColumn(int x, int) { return Opaque(10 * x, 200, 0); }

void FreeCamera(float x, float y) {
    TheCamera().SetBounds(Vector3(-100000, -100000, 0), Vector3(100000, 100000, 0));
    TheCamera().MoveTo(Vector3(x, y, 0));
}

void AddLayer(Level& level, const Sprite& picture, int32_t x, int32_t y, int32_t divisor, int32_t step) {
    BackgroundLayer& layer = level.backgrounds.emplace_back();
    layer.x = x;
    layer.y = y;
    layer.horizontalDivisor = divisor;
    layer.repeatStep = step;
    layer.picture = picture;
}
using LevelDrawGl = GlTest;
}

TEST_F(LevelDrawGl, BackgroundCopiesLandWhereTheScrollPutsThem) {
    TempDir dir;
    std::string stripe = dir / "stripe.png";
    WritePicture(stripe, 256, 16, StripeColumn);
    Sprite picture(stripe.c_str(), kWhiteKey, 256, 16, 512);
    Level level;
    AddLayer(level, picture, 0, 0, 1, 256);     // repeating
    AddLayer(level, picture, 10, 100, 0, 256);  // no sideways scroll
    AddLayer(level, picture, 0, 40, 2, 256);    // half speed
    AddLayer(level, picture, 400, 60, 1, 0);    // steps that never reach the edge: once
    AddLayer(level, picture, 400, 80, 1, -5);
    AddLayer(level, picture, 10, 200, 0, 256);  // half speed up and down
    level.backgrounds.back().verticalDivisor = 2;

    FreeCamera(300, 0);
    ClearScreen();
    level.Draw();
    // Copies at -44 and 212; the fixed layer at 10; the half-speed one at -150.
    ExpectPixels(window, {{0, 5, StripeColumn(44, 0)},
                          {211, 5, StripeColumn(255, 0)},
                          {212, 5, StripeColumn(0, 0)},
                          {319, 5, StripeColumn(107, 0)},
                          {9, 105, kBlack},
                          {10, 105, StripeColumn(0, 0)},
                          {0, 45, StripeColumn(150, 0)},
                          {99, 65, kBlack},
                          {100, 65, StripeColumn(0, 0)},
                          {99, 85, kBlack},
                          {100, 85, StripeColumn(0, 0)},
                          {10, 200, StripeColumn(0, 0)}});

    // The camera's y moves only the layer that scrolls up and down: 41.9
    // truncates to 41, half of it to 20.
    FreeCamera(101, 41.9f);
    ClearScreen();
    level.Draw();
    ExpectPixels(window, {{0, 45, StripeColumn(50, 0)},
                          {10, 105, StripeColumn(0, 0)},
                          {10, 179, kBlack},
                          {10, 180, StripeColumn(0, 0)},
                          {10, 195, StripeColumn(0, 0)},
                          {10, 196, kBlack}});
}

TEST_F(LevelDrawGl, CellsDrawAtTheTruncatedCameraWithEveryRangeCheck) {
    TempDir dir;
    std::string tile = dir / "tile.png";
    WritePicture(tile, 24, 24, TileColumn);
    Level level;
    level.tilePictures.emplace_back(tile.c_str(), kWhiteKey, 24, 24);
    // A fourth definition is dropped but stays in the vector's memory, so a
    // range check that let value 3 through would draw tile 0 in row 3.
    level.tileDefinitions = {{0, 0, 0, 0}, {-1, 0, 0, 1}, {7, 0, 0, 0}, {0, 0, 0, 0}};
    level.tileDefinitions.pop_back();
    level.mainGrid = {{0, 1, 2, 3, -1}};              // column 0: rows 0 to 4
    level.backGrid = {{-1, -1, -1, -1, -1}, {5, 0}};  // column 1: a picture out of range, then one
    FreeCamera(10.9f, 0);
    ClearScreen();
    level.Draw();
    // Back grid value 5 draws nothing; back grid cell (1, 1) does.
    ExpectPixels(window,
                 {{0, 5, TileColumn(10, 0)}, {13, 5, TileColumn(23, 0)}, {14, 5, kBlack}, {14, 30, TileColumn(0, 0)}});
    for (int row = 1; row < 5; ++row) EXPECT_EQ(window.Pixel(5, 24 * row + 5), kBlack) << row;

    FreeCamera(-10.9f, 0);
    ClearScreen();
    level.Draw();
    EXPECT_EQ(window.Pixel(9, 5), kBlack);
    EXPECT_EQ(window.Pixel(10, 5), TileColumn(0, 0));
}
