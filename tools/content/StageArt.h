#pragma once
#include "Image.h"
#include <cstdint>
#include <string>
#include <vector>

class ContentContext;

// The look of one stage, read from content/stages/themes.txt. Picture
// numbers follow from the stage number n: tiles n*100 + k (the exit gate's
// pieces after the tiles of StageTile), the stair n*10,
// animated tiles n*10 and n*10 + 1, backgrounds n*10 + layer.
struct StageTheme {
    std::string level;
    int number = 0;
    uint32_t skyTop = 0, skyBottom = 0;
    uint32_t far = 0, near = 0;
    uint32_t stone = 0, dark = 0, top = 0, accent = 0, glow = 0;
    std::string ground;    // fill style of floors: bricks, cobble, plates, planks, rock
    std::string wall;      // fill style of walls
    std::string skyline;   // the near background: houses, gears, trees, arches, ...
    std::string motif;     // the decoration tile: window, gear, leaves, skull, ...
    std::string interior;  // "vault" or "cave" draws a wall behind everything instead of the night sky
    uint32_t water = 0;    // 0 for none; else the stage has water tiles and water in its fourth layer
    int layers = 3;        // background layers, 3 or 4 (the fourth is mist, or water)
};

// The tile pictures of a stage, by their place in the stage's picture list.
enum StageTile {
    kGroundTop,
    kGroundFill,
    kWallBlock,
    kPlatform,
    kMotif,
    kBackWall,
    kPillar,
    kLamp,
    kCrate,
    kStageTileCount
};

// False (with the reason) for a theme file that cannot be used.
bool ReadStageThemes(const std::string& path, std::vector<StageTheme>& themes, std::string& error);

// 24 by 24 pictures on white, the colour key of tiles.
Image DrawStageTile(const StageTheme& theme, StageTile tile);
Image DrawStair(const StageTheme& theme);
Image DrawTorchFrame(const StageTheme& theme, int frame);
// The exit gate, 2 by 3 tiles, on white; it is cut into the tiles n*100 + 9
// to n*100 + 14, left to right, then down.
constexpr int kGateWidth = 48;
constexpr int kGateHeight = 72;
constexpr int kGateFirstTile = 9;
Image DrawGate(const StageTheme& theme);
// The water of a stage with water, on white: the surface (its top rows
// clear) and the body below it, tiles n*100 + 15 and n*100 + 16.
constexpr int kWaterSurfaceTile = 15;
Image DrawWater(const StageTheme& theme, bool surface);

// Background layer pictures: 0 the sky or interior wall (opaque), 1 far
// hills, 2 the stage's skyline, 3 mist or water; layers 1 to 3 on yellow,
// their colour key.
Image DrawStageBackground(const StageTheme& theme, int layer);

constexpr uint32_t kTileKey = 0xFFFFFFFFu;
constexpr uint32_t kYellowKey = 0xFF00FFFFu;
