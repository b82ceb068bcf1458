// The game-over screen's pictures: the full-screen moonlit sky, the castle
// that rises in front of it and the three frames of the GAME OVER lettering.
#include "Generator.h"
#include "Image.h"
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {
const uint32_t kMagentaKey = 0xFFFF00FFu;
const uint32_t kBlueKey = 0xFFFF0000u;
const uint32_t kBlackKey = 0xFF000000u;

float Distance(float x0, float y0, float x1, float y1) { return std::hypot(x1 - x0, y1 - y0); }

// ---- Sky ---------------------------------------------------------------------

const int kMoonX = 160, kMoonY = 84, kMoonRadius = 44;

void DrawSky(Image& sky) {
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            float glow = std::max(0.0f, 1.0f - Distance(x, y, kMoonX, kMoonY) / 170.0f);
            uint32_t base = MixColor(Rgb(0x06, 0x05, 0x12), Rgb(0x34, 0x1c, 0x3c), float(y) / 239.0f);
            float t = glow * glow * 0.8f;
            // Ordered dither between two neighbouring mixes keeps the glow free of bands.
            sky.Set(x, y, MixColor(base, Rgb(0x8c, 0x7c, 0x9c), DitherPasses(x, y, 0.5f) ? t : t * 0.94f));
        }
    Random random(0x57a75u);
    for (int i = 0; i < 140; ++i) {
        int x = random.Range(0, 319), y = random.Range(0, 170);
        if (Distance(x, y, kMoonX, kMoonY) < kMoonRadius + 20) continue;
        uint8_t level = uint8_t(random.Range(120, 255));
        sky.Set(x, y, Rgb(level, level, uint8_t(std::min(255, level + 20))));
    }
}

void DrawMoon(Image& sky) {
    for (int ring = kMoonRadius + 10; ring > kMoonRadius; --ring)
        for (int y = kMoonY - ring; y <= kMoonY + ring; ++y)
            for (int x = kMoonX - ring; x <= kMoonX + ring; ++x)
                if (Distance(x, y, kMoonX, kMoonY) <= ring) sky.Blend(x, y, Rgb(0xe8, 0xdc, 0xf0, 18));
    for (int y = kMoonY - kMoonRadius; y <= kMoonY + kMoonRadius; ++y)
        for (int x = kMoonX - kMoonRadius; x <= kMoonX + kMoonRadius; ++x) {
            if (Distance(x, y, kMoonX, kMoonY) > kMoonRadius) continue;
            float shade = Distance(x, y, kMoonX - 14, kMoonY - 16) / (2.2f * kMoonRadius);
            float maria = FractalNoise(x / 16.0f, y / 16.0f, 3, 0x30b1u);
            uint32_t face = MixColor(Rgb(0xf6, 0xf0, 0xdc), Rgb(0xb8, 0xa8, 0xb4), shade);
            if (maria > 0.56f) face = MixColor(face, Rgb(0x8c, 0x7c, 0x94), 0.35f);
            sky.Set(x, y, face);
        }
    const int craters[][3] = {{-16, 10, 6}, {12, 18, 4}, {-2, -20, 5}, {20, -4, 3}, {-24, -6, 2}, {6, 2, 2}};
    for (auto [dx, dy, r] : craters) {
        sky.FillCircle(kMoonX + dx, kMoonY + dy, r, Rgb(0xa8, 0x98, 0xa8));
        sky.FillCircle(kMoonX + dx - 1, kMoonY + dy - 1, r - 1, Rgb(0xcc, 0xc0, 0xc8));
    }
}

// Dark streaks of cloud, some across the moon's face.
void DrawClouds(Image& sky) {
    for (int y = 30; y < 170; ++y)
        for (int x = 0; x < 320; ++x) {
            float band = FractalNoise(x / 80.0f, y / 7.0f, 4, 0xc1a0u);
            float density = band - 0.55f;
            if (density <= 0.0f) continue;
            float lit = std::max(0.0f, 1.0f - Distance(x, y, kMoonX, kMoonY) / 90.0f);
            uint32_t color = MixColor(Rgb(0x1a, 0x12, 0x26), Rgb(0x6c, 0x5c, 0x80), lit);
            sky.Blend(x, y, WithAlpha(color, uint8_t(std::min(1.0f, density * 5.0f) * 200.0f)));
        }
}

// Hills and a leaning graveyard on both sides of where the castle stands.
void DrawGround(Image& sky) {
    for (int x = 0; x < 320; ++x) {
        int top = 196 - int(26.0f * FractalNoise(x / 50.0f, 1.0f, 3, 0x417u));
        for (int y = top; y < 240; ++y)
            sky.Set(x, y, MixColor(Rgb(0x1c, 0x14, 0x28), Rgb(0x0c, 0x08, 0x12), float(y - top) / 40.0f));
        sky.Set(x, top, Rgb(0x3c, 0x30, 0x4c));
    }
    for (int x = 0; x < 320; ++x) {
        int top = 222 - int(8.0f * FractalNoise(x / 20.0f, 4.0f, 2, 0x418u));
        for (int y = top; y < 240; ++y) sky.Set(x, y, Rgb(0x08, 0x06, 0x0c));
    }
    const uint32_t stone = Rgb(0x2e, 0x28, 0x3a), rim = Rgb(0x6a, 0x60, 0x80);
    const int crosses[][3] = {{8, 214, 0}, {24, 218, 1}, {40, 212, 0}, {298, 216, 1}, {312, 213, 0}};
    for (auto [x, y, tomb] : crosses) {
        if (tomb) {
            sky.FillRect(x - 3, y - 8, 7, 12, stone);
            sky.FillEllipse(x, y - 8, 3, 3, stone);
            sky.DrawLine(x - 3, y - 8, x - 3, y + 3, rim);
        } else {
            sky.FillRect(x - 1, y - 12, 3, 16, stone);
            sky.FillRect(x - 4, y - 9, 9, 3, stone);
            sky.DrawLine(x - 1, y - 12, x - 1, y + 3, rim);
        }
    }
}

void MakeMoon(ContentContext& context) {
    Image sky(320, 240);
    DrawSky(sky);
    DrawMoon(sky);
    DrawClouds(sky);
    DrawGround(sky);
    // The picture is loaded with a magenta key; nothing here may hit it.
    sky.Replace(kMagentaKey, Rgb(0xfe, 0x00, 0xff));
    sky.Save(context, "sprites\\gameovermoon.png");
}

// ---- Castle ------------------------------------------------------------------

const uint32_t kStone = Rgb(0x16, 0x11, 0x20);
const uint32_t kStoneLight = Rgb(0x26, 0x1e, 0x34);
const uint32_t kRim = Rgb(0x70, 0x66, 0x90);
const uint32_t kWindow = Rgb(0xf4, 0xa8, 0x48);
const uint32_t kWindowGlow = Rgb(0x7c, 0x3c, 0x1c);

struct Tower {
    int x, top, width;
    int roof;  // 0 battlements, otherwise the height of a pointed roof
};

void DrawTower(Image& castle, const Tower& t) {
    castle.FillRect(t.x, t.top, t.width, 215 - t.top, kStone);
    if (t.roof > 0) {
        int peak = t.top - t.roof;
        castle.FillPolygon({{t.x - 3, t.top + 1}, {t.x + t.width / 2, peak}, {t.x + t.width + 3, t.top + 1}}, kStone);
        castle.DrawLine(t.x - 3, t.top, t.x + t.width / 2, peak, kRim);
        castle.FillRect(t.x - 3, t.top, t.width + 6, 2, kStoneLight);
    } else {
        for (int m = t.x; m < t.x + t.width; m += 5) castle.FillRect(m, t.top - 4, 3, 4, kStone);
        castle.DrawLine(t.x, t.top, t.x + t.width - 1, t.top, kStoneLight);
    }
    // The moon is behind and to the left: a thin line of light on the left.
    for (int y = t.top; y < 215; ++y) castle.Set(t.x, y, kRim);
}

void DrawWindow(Image& castle, int x, int y, bool lit) {
    castle.FillRect(x - 1, y - 1, 5, 7, lit ? kWindowGlow : kStoneLight);
    castle.FillRect(x, y + 1, 3, 4, lit ? kWindow : Rgb(0x06, 0x04, 0x0a));
    castle.FillRect(x + 1, y, 1, 1, lit ? kWindow : Rgb(0x06, 0x04, 0x0a));
}

void DrawCrag(Image& castle) {
    Random random(0xc4a9u);
    std::vector<std::pair<int, int>> outline = {{0, 215}};
    for (int x = 0; x <= 244; x += 12) outline.push_back({x, 172 + random.Range(-8, 6) + std::abs(x - 122) / 6});
    outline.push_back({244, 215});
    castle.FillPolygon(outline, kStone);
    for (size_t i = 1; i + 2 < outline.size(); ++i)
        castle.DrawLine(outline[i].first, outline[i].second, outline[i + 1].first, outline[i + 1].second, kStoneLight);
    for (int i = 0; i < 40; ++i) {
        int x = random.Range(4, 240), y = random.Range(186, 212);
        castle.DrawLine(x, y, x + random.Range(2, 7), y + random.Range(-2, 2), Rgb(0x0a, 0x08, 0x10));
    }
}

// Courses of masonry: faint mortar lines on the plain stone, every other
// course shifted by half a block.
void DrawMasonry(Image& castle) {
    for (int y = 0; y < 172; ++y)
        for (int x = 0; x < 244; ++x) {
            if (castle.Get(x, y) != kStone) continue;
            bool mortar = y % 6 == 0 || (x + (y / 6) % 2 * 5) % 10 == 0;
            if (mortar) castle.Set(x, y, Rgb(0x10, 0x0c, 0x18));
            else if (y % 6 == 1) castle.Set(x, y, Rgb(0x1c, 0x16, 0x28));
        }
}

void MakeCastle(ContentContext& context) {
    Image castle(244, 215, kBlueKey);
    // The curtain wall first, then the towers in front of it.
    castle.FillRect(20, 120, 204, 95, kStone);
    for (int m = 20; m < 224; m += 6) castle.FillRect(m, 115, 4, 5, kStone);
    const Tower towers[] = {{14, 96, 20, 30},  {48, 70, 24, 40},  {102, 44, 40, 0},
                            {112, 30, 20, 30}, {170, 74, 24, 40}, {210, 100, 20, 30}};
    for (const Tower& t : towers) DrawTower(castle, t);
    DrawMasonry(castle);
    // The keep's spire reaches the picture's top row.
    castle.FillRect(121, 0, 2, 2, kStone);
    castle.Set(121, 0, kRim);
    const int windows[][3] = {{22, 120, 1}, {58, 90, 1},   {58, 130, 0},  {112, 70, 0}, {128, 70, 1}, {120, 100, 1},
                              {180, 96, 0}, {180, 136, 1}, {218, 124, 0}, {86, 140, 1}, {152, 150, 0}};
    for (auto [x, y, lit] : windows) DrawWindow(castle, x, y, lit != 0);
    // The gate: an arch with a faint glow behind the portcullis.
    castle.FillEllipse(122, 170, 10, 10, kWindowGlow);
    castle.FillRect(112, 170, 21, 18, kWindowGlow);
    for (int x = 114; x < 132; x += 4) castle.DrawLine(x, 162, x, 187, Rgb(0x10, 0x0a, 0x0c));
    DrawCrag(castle);
    castle.Save(context, "sprites\\gameovercastle.png");
}

// ---- Lettering ---------------------------------------------------------------

const int kLetterScale = 3;
const int kCell = 32;

// One frame of the lettering: glow grows with `strength` (0 to 2).
Image LetteringFrame(const std::vector<TextArt>& glyphs, int strength, ContentContext& context) {
    Image ink(288, 32);
    const std::string word = "GAME OVER";
    for (size_t i = 0; i < word.size(); ++i) {
        if (word[i] == ' ') continue;
        const Image* glyph = FindArt(glyphs, std::string(1, word[i]));
        if (!glyph) {
            context.Fail(std::string("menu/gameover-letters.txt has no letter ") + word[i]);
            continue;
        }
        Image big = glyph->Scaled(kLetterScale);
        ink.Blit(big, int(i) * kCell + (kCell - big.Width()) / 2, 2);
    }
    Image frame(288, 32, kBlackKey);
    const uint32_t top = MixColor(Rgb(0xd8, 0x2c, 0x2c), Rgb(0xff, 0x7c, 0x5c), strength / 2.0f);
    const uint32_t bottom = MixColor(Rgb(0x50, 0x06, 0x10), Rgb(0x8c, 0x10, 0x18), strength / 2.0f);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 288; ++x) {
            if (ink.Get(x, y) == 0) continue;
            uint32_t fill = MixColor(top, bottom, float(y - 2) / 26.0f);
            bool edgeAbove = ink.Get(x, y - 1) == 0;
            frame.Set(x, y, edgeAbove ? MixColor(fill, Rgb(0xff, 0xe0, 0xc8), 0.6f) : fill);
        }
    // A dark rim and, growing by frame, rings of glow that fade outwards.
    const uint32_t glow[] = {Rgb(0x6c, 0x0c, 0x14), Rgb(0x3c, 0x06, 0x0c)};
    Image rim = frame;
    rim.Replace(kBlackKey, 0);
    rim.Outline(Rgb(0x24, 0x04, 0x08), true);
    for (int ring = 0; ring < strength; ++ring) rim.Outline(glow[ring]);
    rim.Replace(0, kBlackKey);
    return rim;
}

void MakeLettering(ContentContext& context) {
    std::vector<TextArt> glyphs = LoadTextArt(context, "menu/gameover-letters.txt");
    Image sheet(288, 96, kBlackKey);
    for (int frame = 0; frame < 3; ++frame)
        sheet.Blit(LetteringFrame(glyphs, frame, context), 0, frame * 32, kBlackKey);
    sheet.Save(context, "sprites\\gameoverlet.png");
}

void MakeGameOverArt(ContentContext& context) {
    MakeMoon(context);
    MakeCastle(context);
    MakeLettering(context);
}
}

DUSKHOLD_GENERATOR("gameover-art", MakeGameOverArt);
