// The main menu's pictures: the moonlit background (drawn in light tones,
// since the menu tints it red), the framed entry bars with their sconces, the
// two flames, the file panel's border pieces, the panel block and the first
// stage's village strip.
#include "Generator.h"
#include "Image.h"
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {
const uint32_t kMagentaKey = 0xFFFF00FFu;
const uint32_t kBlackKey = 0xFF000000u;
const uint32_t kRedKey = 0xFF0000FFu;

// A light grey of brightness v (0..255): only its red part shows in the menu.
uint32_t Grey(float v) {
    uint8_t level = uint8_t(std::clamp(v, 0.0f, 255.0f));
    return Rgb(level, uint8_t(level * 0.94f), uint8_t(level * 0.9f));
}

float Distance(float x0, float y0, float x1, float y1) { return std::hypot(x1 - x0, y1 - y0); }

// ---- Background -----------------------------------------------------------

const int kMoonX = 238, kMoonY = 62, kMoonRadius = 32;

void DrawBackgroundSky(Image& bg) {
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            float glow = std::max(0.0f, 1.0f - Distance(x, y, kMoonX, kMoonY) / 150.0f);
            float v = 62.0f + 90.0f * float(y) / 200.0f + 70.0f * glow * glow;
            // Dither between neighbouring levels, which keeps the pixel look.
            bg.Set(x, y, Grey(v + (DitherPasses(x, y, v - std::floor(v)) ? 1.0f : 0.0f)));
        }
    Random random(0x6d3e1u);
    for (int i = 0; i < 90; ++i) {
        int x = random.Range(0, 319), y = random.Range(0, 120);
        if (Distance(x, y, kMoonX, kMoonY) < kMoonRadius + 16) continue;
        bg.Set(x, y, Grey(float(random.Range(175, 235))));
        if (random.Range(0, 9) == 0) {
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) bg.Set(x + dx, y + dy, Grey(150));
        }
    }
}

void DrawBackgroundMoon(Image& bg) {
    for (int ring = kMoonRadius + 6; ring > kMoonRadius; --ring)
        for (int y = kMoonY - ring; y <= kMoonY + ring; ++y)
            for (int x = kMoonX - ring; x <= kMoonX + ring; ++x)
                if (Distance(x, y, kMoonX, kMoonY) <= ring) bg.Blend(x, y, WithAlpha(Grey(255), 30));
    for (int y = kMoonY - kMoonRadius; y <= kMoonY + kMoonRadius; ++y)
        for (int x = kMoonX - kMoonRadius; x <= kMoonX + kMoonRadius; ++x) {
            float d = Distance(x, y, kMoonX, kMoonY);
            if (d > kMoonRadius) continue;
            // Lit from the upper right; the maria are soft noise patches.
            float shade = Distance(x, y, kMoonX + 12, kMoonY - 12) / (2.0f * kMoonRadius);
            float maria = FractalNoise(x / 14.0f, y / 14.0f, 3, 0x3000u);
            float v = 252.0f - 40.0f * shade - (maria > 0.55f ? 22.0f : 0.0f);
            bg.Set(x, y, Grey(v));
        }
    const int craters[][3] = {{-12, 8, 5}, {9, 14, 3}, {-4, -14, 4}, {14, -2, 2}, {-18, -4, 2}};
    for (auto [dx, dy, r] : craters) {
        bg.FillCircle(kMoonX + dx, kMoonY + dy, r, Grey(208));
        bg.FillCircle(kMoonX + dx + 1, kMoonY + dy - 1, r - 1, Grey(224));
    }
}

void DrawBackgroundClouds(Image& bg) {
    for (int y = 20; y < 150; ++y)
        for (int x = 0; x < 320; ++x) {
            float band = FractalNoise(x / 70.0f, y / 9.0f, 4, 0xc10du);
            float edge = std::abs(float(y) - 70.0f - 40.0f * ValueNoise(x / 90.0f, 0.5f, 0x77u)) / 60.0f;
            float density = band - 0.45f - edge * 0.35f;
            if (density <= 0.0f) continue;
            float lit = std::max(0.0f, 1.0f - Distance(x, y, kMoonX, kMoonY) / 120.0f);
            uint8_t alpha = uint8_t(std::min(1.0f, density * 4.0f) * 150.0f);
            bg.Blend(x, y, WithAlpha(Grey(120.0f + 110.0f * lit), alpha));
        }
}

// A ridge line of the given height, rough by `roughness`, filled below.
void DrawRidge(Image& bg, float baseY, float height, float scale, uint32_t seed, float v, float rimV) {
    for (int x = 0; x < 320; ++x) {
        int top = int(baseY - height * FractalNoise(x / scale, 0.0f, 4, seed));
        for (int y = top; y < 240; ++y) bg.Set(x, y, Grey(v));
        bg.Set(x, top, Grey(rimV));
    }
}

void DrawBackgroundCastle(Image& bg) {
    const uint32_t stone = Grey(34);
    const uint32_t rim = Grey(96);
    // The crag rises from the right edge.
    bg.FillPolygon(
        {{150, 240}, {176, 190}, {196, 168}, {214, 150}, {236, 142}, {268, 146}, {300, 158}, {320, 150}, {320, 240}},
        stone);
    struct Tower {
        int x, top, width;
        bool spire;
    };
    const Tower towers[] = {
        {204, 110, 12, true}, {222, 96, 16, true}, {244, 120, 34, false}, {282, 104, 12, true}, {296, 126, 14, false}};
    for (const Tower& t : towers) {
        bg.FillRect(t.x, t.top, t.width, 160 - t.top, stone);
        if (t.spire) {
            bg.FillPolygon({{t.x - 2, t.top + 1}, {t.x + t.width / 2, t.top - 22}, {t.x + t.width + 2, t.top + 1}},
                           stone);
            bg.DrawLine(t.x + t.width / 2, t.top - 22, t.x + t.width + 2, t.top, rim);
        } else {
            for (int m = t.x; m < t.x + t.width; m += 4) bg.FillRect(m, t.top - 3, 2, 3, stone);
        }
        for (int y = t.top; y < 160; ++y) bg.Set(t.x + t.width - 1, y, rim);
    }
    const int windows[][2] = {{208, 118}, {228, 108}, {232, 124}, {252, 130}, {264, 138}, {286, 116}, {300, 134}};
    for (auto [x, y] : windows) bg.FillRect(x, y, 2, 3, Grey(228));
}

void DrawBackgroundForeground(Image& bg) {
    for (int y = 176; y < 206; ++y)
        for (int x = 0; x < 320; ++x) {
            float mist = FractalNoise(x / 40.0f, y / 6.0f, 3, 0x1157u) - 0.35f;
            float fade = 1.0f - std::abs(float(y) - 191.0f) / 15.0f;
            if (mist > 0.0f) bg.Blend(x, y, WithAlpha(Grey(170), uint8_t(std::min(1.0f, mist * 3.0f) * fade * 120.0f)));
        }
    for (int x = 0; x < 320; ++x) {
        int top = 214 - int(10.0f * FractalNoise(x / 30.0f, 3.0f, 3, 0x9a0u));
        for (int y = top; y < 240; ++y) bg.Set(x, y, Grey(22));
        if (x % 3 == 0) bg.Set(x, top - 1 - (x * 7 % 3), Grey(22));
    }
    // Two bare trees on the left, branching by halving their length.
    struct Branch {
        float x, y, angle, length;
        int depth;
    };
    for (auto [rootX, height] : {std::pair{26, 52}, {78, 34}}) {
        std::vector<Branch> pending = {{float(rootX), 214.0f, -1.5708f, float(height), 0}};
        Random random(uint32_t(rootX) * 131u);
        while (!pending.empty()) {
            Branch b = pending.back();
            pending.pop_back();
            int x1 = int(b.x + std::cos(b.angle) * b.length);
            int y1 = int(b.y + std::sin(b.angle) * b.length);
            int thickness = std::max(0, 3 - b.depth);
            for (int t = -thickness / 2; t <= thickness / 2; ++t)
                bg.DrawLine(int(b.x) + t, int(b.y), x1 + t, y1, Grey(22));
            if (b.depth == 5) continue;
            for (float turn : {-0.5f, 0.45f})
                pending.push_back({float(x1), float(y1), b.angle + turn + (random.Uniform() - 0.5f) * 0.4f,
                                   b.length * (0.55f + random.Uniform() * 0.2f), b.depth + 1});
        }
    }
}

void MakeBackground(ContentContext& context) {
    Image bg(320, 240);
    DrawBackgroundSky(bg);
    DrawBackgroundMoon(bg);
    DrawBackgroundClouds(bg);
    DrawRidge(bg, 176, 46, 46, 0x4a11u, 118, 150);
    DrawRidge(bg, 196, 30, 30, 0x4a22u, 78, 104);
    DrawBackgroundCastle(bg);
    DrawBackgroundForeground(bg);
    bg.Save(context, "bg\\bg0018.png");
}

// ---- Entry bar -------------------------------------------------------------

// An iron cup on a bracket; a flame sprite burns in it, with its base on
// row 14.
void DrawSconce(Image& bar, int left) {
    const uint32_t iron = Rgb(0x4c, 0x44, 0x5a), ironLit = Rgb(0x9c, 0x94, 0xb4), ironDark = Rgb(0x1a, 0x16, 0x22);
    bar.FillPolygon({{left + 2, 13}, {left + 14, 13}, {left + 11, 19}, {left + 5, 19}}, iron);
    bar.DrawLine(left + 2, 13, left + 13, 13, ironLit);
    bar.DrawLine(left + 5, 19, left + 11, 19, ironDark);
    bar.FillRect(left + 7, 20, 2, 5, iron);
    bar.Set(left + 7, 20, ironLit);
    bar.FillRect(left + 5, 25, 6, 2, ironDark);
    bar.FillRect(left + 6, 25, 4, 1, iron);
}

void MakeHolder(ContentContext& context) {
    Image bar(144, 32, kMagentaKey);
    const int left = 12, right = 131, top = 4, bottom = 21;
    bar.FillRect(left + 2, bottom + 1, right - left - 1, 2, Rgb(0x0a, 0x08, 0x10));
    for (int y = top; y <= bottom; ++y) {
        float t = float(y - top) / float(bottom - top);
        int inset = std::max(0, 2 - std::min(y - top, bottom - y));  // chamfered corners
        for (int x = left + inset; x <= right - inset; ++x) {
            uint32_t plate = MixColor(Rgb(0x34, 0x2c, 0x4e), Rgb(0x12, 0x0e, 0x1c), t);
            float grain = FractalNoise(x / 9.0f, y / 2.0f, 2, 0xba5u);
            bar.Set(x, y, MixColor(plate, Rgb(0x06, 0x04, 0x0a), grain * 0.35f));
        }
    }
    // Bevelled frame: silver where the moon catches it, dark below.
    const uint32_t silver = Rgb(0xc4, 0xc0, 0xe0), steel = Rgb(0x6c, 0x68, 0x8c), shadow = Rgb(0x08, 0x06, 0x0e);
    bar.DrawLine(left + 2, top, right - 2, top, silver);
    bar.DrawLine(left + 2, bottom, right - 2, bottom, shadow);
    bar.DrawLine(left, top + 2, left, bottom - 2, silver);
    bar.DrawLine(right, top + 2, right, bottom - 2, shadow);
    bar.Set(left + 1, top + 1, silver);
    bar.Set(right - 1, top + 1, steel);
    bar.Set(left + 1, bottom - 1, steel);
    bar.Set(right - 1, bottom - 1, shadow);
    bar.DrawLine(left + 3, top + 2, right - 3, top + 2, steel);
    bar.DrawLine(left + 3, bottom - 2, right - 3, bottom - 2, Rgb(0x20, 0x1a, 0x2e));
    for (int x : {left + 4, right - 4})
        for (int y : {top + 4, bottom - 4}) {
            bar.Set(x, y, Rgb(0xe0, 0xb4, 0x5a));
            bar.Set(x + 1, y + 1, Rgb(0x5a, 0x3a, 0x16));
        }
    DrawSconce(bar, 0);
    DrawSconce(bar, 128);
    bar.Save(context, "sprites\\menuholder.png");
}

// ---- Flames ----------------------------------------------------------------

// Four 16 by 16 frames of a flame standing on row 14, flickering by frame;
// `palette` runs from the outer glow to the core.
Image FlameStrip(const uint32_t (&palette)[4], uint32_t seed) {
    Image strip(64, 16, kMagentaKey);
    const float pi = 3.14159265f;
    for (int frame = 0; frame < 4; ++frame) {
        float height = 11.0f + (frame % 2 == 0 ? 1.0f : -0.5f);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                float t = (14.5f - float(y)) / height;  // 0 at the base, 1 at the tip
                if (t < -0.12f || t > 1.0f) continue;
                float sway = 1.6f * std::sin(frame * pi / 2.0f + t * 3.0f) * t;
                float halfWidth = 6.4f * std::pow(1.0f - std::max(t, 0.0f), 0.6f) * std::min(1.0f, (t + 0.35f) * 2.5f);
                if (halfWidth <= 0.0f) continue;
                float flicker = FractalNoise(x / 3.0f, (y + frame * 4.0f) / 3.0f, 2, seed) - 0.5f;
                float heat = 1.0f - std::abs(float(x) + 0.5f - 8.0f - sway) / halfWidth - 0.3f * t + 0.45f * flicker;
                int level = heat > 0.7f ? 3 : heat > 0.48f ? 2 : heat > 0.26f ? 1 : heat > 0.06f ? 0 : -1;
                if (level >= 0) strip.Set(frame * 16 + x, y, palette[level]);
            }
        // A spark that rises a little further every frame.
        strip.Set(frame * 16 + 9 - frame % 2 * 3, 3 - frame / 2, palette[1]);
    }
    return strip;
}

void MakeFlames(ContentContext& context) {
    const uint32_t ember[4] = {Rgb(0x9c, 0x1c, 0x10), Rgb(0xe8, 0x5c, 0x14), Rgb(0xfc, 0xb4, 0x30),
                               Rgb(0xff, 0xf4, 0xc0)};
    const uint32_t ghost[4] = {Rgb(0x30, 0x24, 0x8c), Rgb(0x4c, 0x6c, 0xe0), Rgb(0x8c, 0xc8, 0xfc),
                               Rgb(0xec, 0xfc, 0xff)};
    FlameStrip(ember, 0xf1a3u).Save(context, "sprites\\menufire.png");
    FlameStrip(ghost, 0x6057u).Save(context, "sprites\\menufire2.png");
}

// ---- File panel --------------------------------------------------------------

void MakeWindowPieces(ContentContext& context) {
    std::vector<TextArt> art = LoadTextArt(context, "menu/window.txt");
    Image strip(96, 4, kBlackKey);
    for (int piece = 0; piece < 12; ++piece) {
        const Image* picture = FindArt(art, "piece" + std::to_string(piece));
        if (!picture) {
            context.Fail("menu/window.txt has no piece" + std::to_string(piece));
            continue;
        }
        strip.Blit(*picture, piece * 8, 0);
    }
    strip.Save(context, "sprites\\menuwindow2.png");
}

// The panel block is light: the menu tints it black for the panel's backdrop
// and red for the file cursor, so its shading shows in both.
void MakePanelBlock(ContentContext& context) {
    Image block(32, 32);
    block.VerticalGradient(0, 0, 32, 32, Rgb(0xff, 0xff, 0xff), Rgb(0xb0, 0xa8, 0xb8));
    block.FillRect(0, 0, 32, 2, Rgb(0xff, 0xff, 0xff));
    block.Save(context, "sprites\\black.png");
}

// ---- Stage picture -------------------------------------------------------------

// The village of the first stage as a moonlit strip of roofs, a chapel and
// lit windows; opaque red is its colour key.
void MakeVillage(ContentContext& context) {
    Image strip(168, 24, kRedKey);
    const uint32_t wall = Rgb(0x1c, 0x1a, 0x2a), roof = Rgb(0x2c, 0x24, 0x3a), rim = Rgb(0x78, 0x74, 0x9c);
    const uint32_t light = Rgb(0xf4, 0xc4, 0x5c), glow = Rgb(0x8c, 0x5c, 0x2c);
    struct House {
        int x, width, wallTop;
    };
    const House houses[] = {{2, 22, 14}, {26, 16, 12}, {62, 26, 15}, {92, 18, 13}, {114, 24, 14}, {142, 22, 12}};
    for (const House& h : houses) {
        strip.FillRect(h.x, h.wallTop, h.width, 24 - h.wallTop, wall);
        int peak = h.wallTop - h.width / 3;
        strip.FillPolygon({{h.x - 2, h.wallTop + 1}, {h.x + h.width / 2, peak}, {h.x + h.width + 2, h.wallTop + 1}},
                          roof);
        strip.DrawLine(h.x - 2, h.wallTop, h.x + h.width / 2, peak, rim);
        strip.FillRect(h.x + h.width - 6, peak + 1, 3, 4, wall);
        for (int wx = h.x + 3; wx + 3 < h.x + h.width; wx += 7) {
            strip.FillRect(wx, h.wallTop + 3, 3, 3, light);
            strip.Set(wx + 1, h.wallTop + 6, glow);
        }
    }
    // The chapel with its spire between the houses.
    strip.FillRect(45, 10, 14, 14, wall);
    strip.FillRect(49, 4, 6, 8, wall);
    strip.FillPolygon({{48, 5}, {52, -3}, {56, 5}}, roof);
    strip.DrawLine(52, -3, 56, 5, rim);
    strip.FillRect(51, 16, 2, 5, light);
    strip.Set(52, 0, rim);
    for (int x = 0; x < 168; x += 3) strip.Set(x, 23, Rgb(0x10, 0x0e, 0x18));
    strip.Save(context, "sprites\\1-01village.png");
}

void MakeMenuArt(ContentContext& context) {
    MakeBackground(context);
    MakeHolder(context);
    MakeFlames(context);
    MakeWindowPieces(context);
    MakePanelBlock(context);
    MakeVillage(context);
}
}

DUSKHOLD_GENERATOR("menu-art", MakeMenuArt);
