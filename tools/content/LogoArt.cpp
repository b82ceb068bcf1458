// The title picture "sprites\DH3 logo.png": 320 by 240, no colour key. The
// game's name in large letters over a moonlit night: a starry sky, a moon
// with its halo and a veil of cloud, two mountain ridges, the castle of
// Duskhold on its crag and a dark foreground. The strip where the title
// screen prints its prompt (from y 195 to 212) is left as plain dark ground,
// and a line above it names the keys.
#include "FontArt.h"
#include "Generator.h"
#include "Image.h"
#include <cmath>

namespace {
constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kMoonX = 160;
constexpr int kMoonY = 122;
constexpr int kMoonRadius = 34;
constexpr int kGroundTop = 186;
// Above the prompt: the console's start-up lines cover the screen's bottom
// rows (from y 216 with three lines) for the first seconds.
constexpr int kKeysTop = 186;

const uint32_t kSkyTop = Rgb(0x04, 0x05, 0x14);
const uint32_t kSkyLow = Rgb(0x2E, 0x24, 0x4E);
const uint32_t kFarRidge = Rgb(0x1E, 0x1A, 0x3A);
const uint32_t kNearRidge = Rgb(0x13, 0x11, 0x26);
const uint32_t kSilhouette = Rgb(0x09, 0x08, 0x14);
const uint32_t kGround = Rgb(0x06, 0x05, 0x0E);
const uint32_t kWindow = Rgb(0xFF, 0xB8, 0x50);
const uint32_t kWindowDim = Rgb(0xC0, 0x60, 0x28);

void DrawStars(Image& image) {
    Random random(1213);
    for (int i = 0; i < 170; ++i) {
        int x = random.Range(0, kWidth - 1), y = random.Range(0, 150);
        int dx = x - kMoonX, dy = y - kMoonY;
        if (dx * dx + dy * dy < (kMoonRadius + 16) * (kMoonRadius + 16)) continue;
        // Fewer and fainter stars towards the horizon's glow.
        float depth = float(y) / 150.0f;
        if (random.Uniform() < depth * 0.6f) continue;
        float brightness = 0.35f + 0.65f * random.Uniform() * (1.0f - 0.5f * depth);
        uint32_t color = MixColor(kSkyTop, Rgb(0xE8, 0xEC, 0xFF), brightness);
        image.Set(x, y, color);
        if (brightness > 0.85f) {
            uint32_t glint = MixColor(kSkyTop, color, 0.5f);
            image.Set(x - 1, y, glint);
            image.Set(x + 1, y, glint);
            image.Set(x, y - 1, glint);
            image.Set(x, y + 1, glint);
        }
    }
}

void DrawMoon(Image& image) {
    // Halo: light that fades with the distance from the rim.
    const int haloWidth = 22;
    for (int y = -kMoonRadius - haloWidth; y <= kMoonRadius + haloWidth; ++y)
        for (int x = -kMoonRadius - haloWidth; x <= kMoonRadius + haloWidth; ++x) {
            float outside = std::sqrt(float(x * x + y * y)) - float(kMoonRadius);
            if (outside <= 0.0f || outside > float(haloWidth)) continue;
            float strength = 1.0f - outside / float(haloWidth);
            image.Blend(kMoonX + x, kMoonY + y,
                        WithAlpha(Rgb(0x9C, 0xA0, 0xD8), uint8_t(strength * strength * 150.0f)));
        }
    const uint32_t lit = Rgb(0xF2, 0xEE, 0xDC), sea = Rgb(0xC4, 0xC0, 0xB8), rim = Rgb(0xA8, 0xA8, 0xC0);
    for (int y = -kMoonRadius; y <= kMoonRadius; ++y)
        for (int x = -kMoonRadius; x <= kMoonRadius; ++x) {
            float d = std::sqrt(float(x * x + y * y)) / (float(kMoonRadius) + 0.5f);
            if (d > 1.0f) continue;
            float seas = FractalNoise(float(x) / 14.0f + 3.0f, float(y) / 14.0f + 7.0f, 3, 77);
            uint32_t color = DitherPasses(x, y, (seas - 0.5f) * 10.0f) ? sea : lit;
            if (d > 0.9f && x + y > 0) color = rim;  // the shaded lower right limb
            image.Set(kMoonX + x, kMoonY + y, color);
        }
}

// Thin bands of cloud drifting across the moon and the sky.
void DrawClouds(Image& image) {
    const uint32_t cloud = Rgb(0x1A, 0x16, 0x34);
    for (int y = 70; y < 170; ++y)
        for (int x = 0; x < kWidth; ++x) {
            float band = FractalNoise(float(x) / 60.0f, float(y) / 5.0f, 3, 31);
            float density = (band - 0.55f) * 4.0f;
            if (density <= 0.0f) continue;
            image.Blend(x, y, WithAlpha(cloud, uint8_t(std::min(1.0f, density) * 200.0f)));
        }
}

// A ridge of mountains: its height at each column follows seeded noise.
void DrawRidge(Image& image, int baseY, float height, float roughness, uint32_t seed, uint32_t color) {
    for (int x = 0; x < kWidth; ++x) {
        float h = FractalNoise(float(x) / roughness, 0.5f, 4, seed) * height;
        image.FillRect(x, baseY - int(h), 1, kHeight, color);
    }
}

void DrawMist(Image& image) {
    const uint32_t mist = Rgb(0x50, 0x54, 0x88);
    for (int y = 150; y < kGroundTop; ++y)
        for (int x = 0; x < kWidth; ++x) {
            float n = FractalNoise(float(x) / 40.0f, float(y) / 8.0f, 3, 909);
            float strength = n * (1.0f - std::fabs(float(y) - 172.0f) / 22.0f);
            if (strength > 0.2f) image.Blend(x, y, WithAlpha(mist, uint8_t(std::min(0.55f, strength) * 110.0f)));
        }
}

struct Tower {
    int left, width, top, roofHeight;
};

void DrawBattlements(Image& image, int left, int width, int top) {
    for (int x = left; x < left + width; x += 4) image.FillRect(x, top - 3, 2, 3, kSilhouette);
}

void DrawTower(Image& image, const Tower& tower) {
    image.FillRect(tower.left, tower.top, tower.width, kGroundTop - tower.top, kSilhouette);
    if (tower.roofHeight > 0) {
        image.FillPolygon({{tower.left - 2, tower.top},
                           {tower.left + tower.width / 2, tower.top - tower.roofHeight},
                           {tower.left + tower.width + 2, tower.top}},
                          kSilhouette);
        image.FillRect(tower.left + tower.width / 2, tower.top - tower.roofHeight - 4, 1, 4, kSilhouette);
    } else {
        DrawBattlements(image, tower.left - 1, tower.width + 2, tower.top);
    }
}

// A few lit windows, each a two-pixel-tall slit with a dimmer sill.
void DrawWindows(Image& image) {
    const int windows[][2] = {{123, 112}, {123, 124}, {151, 128}, {165, 128}, {158, 140}, {195, 118},
                              {195, 130}, {104, 146}, {216, 148}, {140, 150}, {178, 150}};
    for (const auto& w : windows) {
        image.FillRect(w[0], w[1], 1, 2, kWindow);
        image.Set(w[0], w[1] + 2, kWindowDim);
    }
}

// A bridge of arches leading to the crag from the left: each column of the
// deck reaches down to the curve of its arch, the piers to the ground.
void DrawBridge(Image& image) {
    const int left = 34, right = 96, deck = 165, span = 16;
    for (int x = left; x < right; ++x) {
        float fromPier = float((x - left) % span) - float(span) / 2.0f + 0.5f;
        float curve = fromPier / (float(span) / 2.0f);
        int bottom = std::fabs(curve) > 0.8f ? kGroundTop : deck + 4 + int(10.0f * curve * curve);
        image.FillRect(x, deck, 1, bottom - deck, kSilhouette);
    }
    DrawBattlements(image, left, right - left, deck);
}

// Where the castle stands against the moon, its edges catch a thin line of
// light.
void DrawMoonlitEdges(Image& image) {
    const uint32_t rim = Rgb(0x3A, 0x38, 0x5C);
    const Image before = image;
    auto bright = [&](int x, int y) {
        uint32_t c = before.Get(x, y);
        return (c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16 & 0xFF) > 420;
    };
    for (int y = kMoonY - kMoonRadius; y <= kMoonY + kMoonRadius; ++y)
        for (int x = kMoonX - kMoonRadius; x <= kMoonX + kMoonRadius; ++x) {
            if (before.Get(x, y) != kSilhouette) continue;
            if (bright(x - 1, y) || bright(x + 1, y) || bright(x, y - 1)) image.Set(x, y, rim);
        }
}

void DrawCastle(Image& image) {
    // The crag the castle stands on.
    image.FillPolygon(
        {{70, kGroundTop + 4}, {92, 170}, {98, 158}, {222, 158}, {232, 168}, {250, 180}, {262, kGroundTop + 4}},
        kSilhouette);
    image.FillRect(96, 140, 130, 20, kSilhouette);  // curtain wall
    DrawBattlements(image, 96, 130, 140);
    image.FillRect(140, 112, 40, 30, kSilhouette);  // keep
    DrawBattlements(image, 139, 42, 112);
    const Tower towers[] = {
        {118, 12, 102, 16}, {190, 12, 108, 14}, {100, 9, 134, 0}, {213, 9, 136, 0}, {155, 10, 96, 12}};
    for (const Tower& tower : towers) DrawTower(image, tower);
    DrawBridge(image);
    DrawWindows(image);
    DrawMoonlitEdges(image);
}

// A bare tree: a trunk that forks into thinner branches.
void DrawBranch(Image& image, float x, float y, float angle, float length, int depth, Random& random) {
    float endX = x + std::cos(angle) * length, endY = y + std::sin(angle) * length;
    image.DrawLine(int(x), int(y), int(endX), int(endY), kGround);
    if (depth >= 2) image.DrawLine(int(x) + 1, int(y), int(endX) + 1, int(endY), kGround);
    if (depth == 0) return;
    for (int i = 0; i < 2; ++i) {
        float turn = (i == 0 ? -1.0f : 1.0f) * (0.35f + 0.4f * random.Uniform());
        DrawBranch(image, endX, endY, angle + turn, length * (0.62f + 0.15f * random.Uniform()), depth - 1, random);
    }
}

void DrawForeground(Image& image) {
    // Rolling ground; its upper edge stays above the prompt's strip.
    for (int x = 0; x < kWidth; ++x) {
        float swell = FractalNoise(float(x) / 50.0f, 2.0f, 3, 5150) * 10.0f;
        int top = kGroundTop + int(4.0f - swell);
        image.FillRect(x, top, 1, kHeight - top, kGround);
    }
    Random random(4242);
    // Tufts of grass along the edge of the ground, and a few grave crosses.
    for (int x = 0; x < kWidth; x += random.Range(2, 5)) {
        int y = kGroundTop - 1;
        while ((image.Get(x, y) & 0x00FFFFFFu) == (kGround & 0x00FFFFFFu)) --y;
        image.DrawLine(x, y + 1, x + random.Range(-1, 1), y + 1 - random.Range(1, 3), kGround);
    }
    const int crosses[][2] = {{236, 7}, {250, 9}, {262, 6}, {58, 8}};
    for (const auto& cross : crosses) {
        int x = cross[0], height = cross[1], base = kGroundTop + 1;
        image.FillRect(x, base - height, 2, height, kGround);
        image.FillRect(x - 2, base - height + 2, 6, 2, kGround);
    }
    DrawBranch(image, 26.0f, 200.0f, -1.45f, 26.0f, 5, random);
    DrawBranch(image, 296.0f, 204.0f, -1.70f, 30.0f, 5, random);
    DrawBranch(image, 276.0f, 196.0f, -1.30f, 14.0f, 3, random);
}

// Little bats against the moonlight: two wings in a shallow V.
void DrawBats(Image& image) {
    const int bats[][2] = {{128, 98}, {188, 90}, {206, 104}, {112, 84}};
    for (const auto& bat : bats) {
        int x = bat[0], y = bat[1];
        image.DrawLine(x - 3, y - 1, x - 1, y + 1, kSilhouette);
        image.DrawLine(x + 1, y + 1, x + 3, y - 1, kSilhouette);
        image.Set(x, y + 1, kSilhouette);
        image.Set(x, y, kSilhouette);
    }
}

// A line of text as a mask of ink pixels, enlarged smoothly `doublings`
// times. Letters are set from the font's glyphs with a gap between them.
Image LetterMask(const std::vector<TextArt>& glyphs, const std::string& text, int doublings, int gap,
                 ContentContext& context) {
    int scale = 1 << doublings;
    int width = 0;
    std::vector<const Image*> letters;
    for (char c : text) {
        const Image* art = c == ' ' ? nullptr : FindArt(glyphs, GlyphArtName(c));
        if (c != ' ' && !art) context.Fail(std::string("the title needs a glyph for ") + c);
        letters.push_back(art);
        width += (art ? art->Width() * scale : 4 * scale) + gap;
    }
    Image mask(std::max(width - gap, 1), 8 * scale);
    int x = 0;
    for (const Image* art : letters) {
        if (!art) {
            x += 4 * scale + gap;
            continue;
        }
        Image letter = *art;
        for (int i = 0; i < doublings; ++i) letter = letter.SmoothDoubled();
        mask.Blit(letter, x, 0);
        x += art->Width() * scale + gap;
    }
    return mask;
}

// Colours the ink of a mask in bands from `top` to `bottom` over `inkHeight`
// rows, lights the upper edges, then outlines it and casts a shadow.
Image PaintLetters(const Image& mask, int inkHeight, uint32_t top, uint32_t bottom, uint32_t edge, uint32_t outline) {
    Image painted(mask.Width() + 6, mask.Height() + 6);
    const int bands = 5;
    for (int y = 0; y < mask.Height(); ++y)
        for (int x = 0; x < mask.Width(); ++x) {
            if ((mask.Get(x, y) >> 24) == 0) continue;
            float t = float(std::min(y, inkHeight - 1)) / float(inkHeight - 1);
            uint32_t color = MixColor(top, bottom, std::floor(t * bands) / (bands - 1));
            if ((mask.Get(x, y - 1) >> 24) == 0) color = edge;
            painted.Set(x + 2, y + 2, color);
        }
    painted.Outline(outline, true);
    Image shadowed(painted.Width(), painted.Height());
    for (int y = 0; y < painted.Height(); ++y)
        for (int x = 0; x < painted.Width(); ++x)
            if ((painted.Get(x, y) >> 24) != 0) shadowed.Set(x + 2, y + 2, Rgb(0, 0, 0, 160));
    shadowed.Blit(painted, 0, 0);
    return shadowed;
}

void DrawCentred(Image& image, const Image& text, int y) {
    for (int j = 0; j < text.Height(); ++j)
        for (int i = 0; i < text.Width(); ++i) image.Blend((kWidth - text.Width()) / 2 + i, y + j, text.Get(i, j));
}

// A small diamond with a line running out from it, to frame a word.
void DrawFlourish(Image& image, int x, int y, int direction, uint32_t color) {
    image.DrawLine(x, y, x + direction * 22, y, color);
    image.FillPolygon({{x - 3, y}, {x, y - 3}, {x + 3, y}, {x, y + 3}}, color);
}

void DrawTitle(Image& image, ContentContext& context) {
    std::vector<TextArt> glyphs = LoadGlyphArt(context);
    Image name = PaintLetters(LetterMask(glyphs, "DUSKHOLD", 2, 4, context), 28, Rgb(0xF4, 0xF4, 0xFF),
                              Rgb(0x58, 0x66, 0xA8), Rgb(0xFF, 0xFF, 0xF0), Rgb(0x0A, 0x08, 0x18));
    DrawCentred(image, name, 10);
    Image annals = PaintLetters(LetterMask(glyphs, "ANNALS", 1, 2, context), 14, Rgb(0xFF, 0xE4, 0x98),
                                Rgb(0xC8, 0x74, 0x28), Rgb(0xFF, 0xF6, 0xD0), Rgb(0x1A, 0x0C, 0x06));
    DrawCentred(image, annals, 46);
    const uint32_t gold = Rgb(0xD8, 0xA0, 0x48);
    int half = annals.Width() / 2;
    DrawFlourish(image, kWidth / 2 - half - 6, 54, -1, gold);
    DrawFlourish(image, kWidth / 2 + half + 6, 54, 1, gold);
    Image curse = PaintLetters(LetterMask(glyphs, "VORLAK'S CURSE", 1, 2, context), 14, Rgb(0xFF, 0x80, 0x70),
                               Rgb(0x90, 0x10, 0x20), Rgb(0xFF, 0xC0, 0xB0), Rgb(0x14, 0x04, 0x08));
    DrawCentred(image, curse, 66);
}

// The keys a new player needs, small and quiet, just above the strip where
// the title screen prints its prompt.
void DrawKeys(Image& image, ContentContext& context) {
    Image mask = LetterMask(LoadGlyphArt(context), "ENTER: START  ARROWS: WALK  SPACE: JUMP  Z: WHIP", 0, 1, context);
    const uint32_t ink = Rgb(0xA8, 0xB4, 0xD8);
    Image keys(mask.Width() + 1, mask.Height() + 1);
    for (int y = 0; y < mask.Height(); ++y)
        for (int x = 0; x < mask.Width(); ++x)
            if ((mask.Get(x, y) >> 24) != 0) {
                keys.Set(x + 1, y + 1, Rgb(0, 0, 0));
                keys.Set(x, y, ink);
            }
    DrawCentred(image, keys, kKeysTop);
}

void GenerateLogo(ContentContext& context) {
    Image logo(kWidth, kHeight);
    logo.VerticalGradient(0, 0, kWidth, kGroundTop, kSkyTop, kSkyLow);
    DrawStars(logo);
    DrawMoon(logo);
    DrawClouds(logo);
    DrawBats(logo);
    DrawRidge(logo, 168, 30.0f, 70.0f, 11, kFarRidge);
    DrawMist(logo);
    DrawRidge(logo, 182, 16.0f, 35.0f, 23, kNearRidge);
    DrawCastle(logo);
    DrawForeground(logo);
    DrawTitle(logo, context);
    DrawKeys(logo, context);
    logo.Save(context, "sprites\\DH3 logo.png");
}
}

DUSKHOLD_GENERATOR("logo", GenerateLogo);
