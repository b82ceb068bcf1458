#pragma once
#include <cstdint>

// Numbers that several subsystems, the tools and the stored levels must
// agree on; each is defined here once.

// The logical screen every picture is drawn on before it is scaled to the
// window, and the shape the scaled picture keeps (the rest is bordered).
constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 240;
constexpr double kScreenAspect = 4.0 / 3.0;

// The side of a level tile in pixels: grid cells, tile pictures and tile
// collision boxes all use it.
constexpr int32_t kTileSize = 24;

// The collision categories of the level's tiles: walls stop every shape of
// the hero, ledges only its feet and lower side probes.
constexpr uint32_t kLedgeCategory = 0x20;
constexpr uint32_t kWallCategory = 0x40;
// The hero's shapes, and the box of his whip while its lash can hit.
constexpr uint32_t kHeroCategory = 0x2;
constexpr uint32_t kWhipCategory = 0x100;
// The things of a play stage: enemies, hazards, pickups, checkpoints.
constexpr uint32_t kThingCategory = 0x200;

// What a collision shape is, in ICollision::kind.
constexpr int32_t kPointKind = 0;
constexpr int32_t kRectangleKind = 2;
