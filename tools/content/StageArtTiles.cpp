// The 24 by 24 tile pictures of the stages, on white (the tiles' colour key;
// no drawn pixel is pure white).
#include "StageArt.h"
#include "base/SharedConstants.h"
#include <cstdlib>
#include <functional>
#include <map>

namespace {

const uint32_t kShadow = Rgb(8, 6, 16);
const uint32_t kLight = Rgb(242, 238, 220);

uint32_t Darker(uint32_t color, float amount) { return MixColor(color, kShadow, amount); }
uint32_t Lighter(uint32_t color, float amount) { return MixColor(color, kLight, amount); }

uint32_t Seed(const StageTheme& theme, int salt) { return uint32_t(theme.number * 7919 + salt * 104729); }

// Noise shading kept to a few flat bands, for the crisp pixel look.
uint32_t Banded(uint32_t base, float noise) {
    static const float kBands[] = {0.28f, 0.14f, 0.0f, -0.12f};
    int band = std::min(3, int(noise * 4.0f));
    float shift = kBands[band];
    return shift > 0 ? Darker(base, shift) : Lighter(base, -shift);
}

void FillBricks(Image& img, uint32_t base, uint32_t mortar, Random& random) {
    img.FillRect(0, 0, kTileSize, kTileSize, mortar);
    for (int row = 0; row < 3; ++row) {
        int offset = row % 2 ? 6 : 0;
        for (int x = offset - 12; x < kTileSize; x += 12) {
            uint32_t brick = Darker(base, random.Uniform() * 0.25f);
            img.FillRect(x + 1, row * 8 + 1, 11, 7, brick);
            img.FillRect(x + 1, row * 8 + 1, 11, 1, Lighter(brick, 0.18f));
        }
    }
}

void FillCobble(Image& img, uint32_t base, uint32_t mortar, Random& random) {
    img.FillRect(0, 0, kTileSize, kTileSize, mortar);
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) {
            int cx = 4 + 8 * i + random.Range(-1, 1), cy = 4 + 8 * j + random.Range(-1, 1);
            uint32_t stone = Darker(base, random.Uniform() * 0.3f);
            img.FillEllipse(cx, cy, 3, 3, stone);
            img.Set(cx - 1, cy - 2, Lighter(stone, 0.25f));
            img.Set(cx - 2, cy - 1, Lighter(stone, 0.25f));
        }
}

void FillPlates(Image& img, uint32_t base, uint32_t mortar, Random& random) {
    img.FillRect(0, 0, kTileSize, kTileSize, base);
    img.FillRect(0, 0, kTileSize, 1, Lighter(base, 0.25f));
    img.FillRect(0, 0, 1, kTileSize, Lighter(base, 0.15f));
    img.FillRect(0, kTileSize - 1, kTileSize, 1, mortar);
    img.FillRect(kTileSize - 1, 0, 1, kTileSize, mortar);
    for (int y : {3, 20})
        for (int x : {3, 20}) {
            img.Set(x, y, Lighter(base, 0.4f));
            img.Set(x + 1, y + 1, mortar);
        }
    int scratch = random.Range(6, 16);
    img.DrawLine(scratch, 8, scratch + 4, 12, Darker(base, 0.2f));
}

void FillPlanks(Image& img, uint32_t base, uint32_t mortar, Random& random) {
    for (int row = 0; row < 4; ++row) {
        uint32_t plank = Darker(base, random.Uniform() * 0.25f);
        img.FillRect(0, row * 6, kTileSize, 6, plank);
        img.FillRect(0, row * 6 + 5, kTileSize, 1, mortar);
        int grain = random.Range(2, 20);
        img.DrawLine(grain, row * 6 + 2, grain + 3, row * 6 + 2, Darker(plank, 0.18f));
        img.Set(row % 2 ? 3 : 20, row * 6 + 2, mortar);
    }
}

void FillRock(Image& img, uint32_t base, uint32_t mortar, Random& random) {
    uint32_t seed = random.Next();
    for (int y = 0; y < kTileSize; ++y)
        for (int x = 0; x < kTileSize; ++x) img.Set(x, y, Banded(base, FractalNoise(x / 9.0f, y / 9.0f, 3, seed)));
    int x = random.Range(4, 18);
    for (int y = random.Range(2, 8), n = 0; n < 8 && y < kTileSize; ++n, ++y) {
        img.Set(x, y, mortar);
        x += random.Range(-1, 1);
    }
}

using FillFunction = std::function<void(Image&, uint32_t, uint32_t, Random&)>;

void Fill(Image& img, const std::string& style, uint32_t base, uint32_t mortar, Random& random) {
    static const std::map<std::string, FillFunction> kStyles = {{"bricks", FillBricks},
                                                                {"cobble", FillCobble},
                                                                {"plates", FillPlates},
                                                                {"planks", FillPlanks},
                                                                {"rock", FillRock}};
    auto found = kStyles.find(style);
    (found == kStyles.end() ? FillRock : found->second)(img, base, mortar, random);
}

Image GroundTop(const StageTheme& t, Random& random) {
    Image img(kTileSize, kTileSize);
    Fill(img, t.ground, t.stone, t.dark, random);
    for (int x = 0; x < kTileSize; ++x) {
        int depth = 4 + ((x * 7 + t.number) % 5 == 0 ? 2 : 0) + (x % 3 == 0 ? 1 : 0);
        img.FillRect(x, 0, 1, depth, t.top);
        img.Set(x, depth, Darker(t.top, 0.5f));
        img.Set(x, 0, Lighter(t.top, 0.3f));
    }
    return img;
}

Image Platform(const StageTheme& t) {
    Image img(kTileSize, kTileSize, kTileKey);
    img.FillRect(0, 0, kTileSize, 7, t.accent);
    img.FillRect(0, 0, kTileSize, 1, Lighter(t.accent, 0.3f));
    img.FillRect(0, 6, kTileSize, 1, Darker(t.accent, 0.5f));
    for (int x : {0, 12}) img.Set(x + 5, 3, Darker(t.accent, 0.4f));
    for (int bracket : {3, 18}) img.FillPolygon({{bracket, 7}, {bracket + 4, 7}, {bracket + 2, 13}}, t.dark);
    return img;
}

Image Pillar(const StageTheme& t) {
    Image img(kTileSize, kTileSize, kTileKey);
    img.FillRect(6, 0, 12, kTileSize, t.stone);
    img.FillRect(6, 0, 2, kTileSize, Lighter(t.stone, 0.2f));
    img.FillRect(15, 0, 3, kTileSize, Darker(t.stone, 0.3f));
    img.FillRect(5, 10, 14, 2, Darker(t.stone, 0.45f));
    return img;
}

Image Lamp(const StageTheme& t) {
    Image img(kTileSize, kTileSize, kTileKey);
    img.DrawLine(12, 0, 12, 6, t.dark);
    for (int y = 4; y < 22; ++y)
        for (int x = 2; x < 22; ++x)
            if ((x - 12) * (x - 12) + (y - 13) * (y - 13) < 90 && DitherPasses(x, y, 0.3f))
                img.Set(x, y, Darker(t.glow, 0.35f));
    img.FillRect(8, 7, 9, 11, t.dark);
    img.FillRect(10, 9, 5, 7, t.glow);
    img.Set(11, 10, Lighter(t.glow, 0.5f));
    img.FillRect(7, 6, 11, 2, Darker(t.dark, 0.3f));
    return img;
}

Image Crate(const StageTheme& t, Random& random) {
    Image img(kTileSize, kTileSize);
    FillPlanks(img, t.accent, t.dark, random);
    img.FillRect(0, 0, kTileSize, 2, t.dark);
    img.FillRect(0, kTileSize - 2, kTileSize, 2, t.dark);
    img.FillRect(0, 0, 2, kTileSize, t.dark);
    img.FillRect(kTileSize - 2, 0, 2, kTileSize, t.dark);
    img.DrawLine(2, 2, 21, 21, Darker(t.accent, 0.45f));
    return img;
}

// The decoration of each look, hung in the middle grid.
void DrawMotif(Image& img, const StageTheme& t) {
    const std::string& m = t.motif;
    if (m == "window") {
        img.FillRect(4, 6, 16, 16, t.dark);
        img.FillEllipse(12, 7, 8, 5, t.dark);
        img.FillRect(6, 8, 12, 12, t.glow);
        img.FillRect(11, 6, 2, 14, t.dark);
        img.FillRect(6, 13, 12, 2, t.dark);
    } else if (m == "gear") {
        for (int k = 0; k < 8; ++k) {
            static const int kTeeth[8][2] = {{0, -10}, {7, -7}, {10, 0}, {7, 7}, {0, 10}, {-7, 7}, {-10, 0}, {-7, -7}};
            img.FillCircle(12 + kTeeth[k][0], 12 + kTeeth[k][1], 2, Darker(t.accent, 0.2f));
        }
        img.FillCircle(12, 12, 8, t.accent);
        img.FillCircle(12, 12, 5, Darker(t.accent, 0.35f));
        img.FillCircle(12, 12, 2, kTileKey);
    } else if (m == "leaves") {
        for (int k = 0; k < 7; ++k)
            img.FillEllipse(4 + (k * 5) % 16, 3 + (k * 7) % 14, 4, 3, k % 2 ? t.top : Darker(t.top, 0.3f));
    } else if (m == "skull") {
        uint32_t bone = Rgb(214, 206, 184);
        img.FillEllipse(12, 11, 7, 6, bone);
        img.FillRect(8, 15, 9, 5, bone);
        img.FillRect(8, 10, 3, 3, t.dark);
        img.FillRect(14, 10, 3, 3, t.dark);
        for (int x = 9; x < 16; x += 2) img.Set(x, 18, t.dark);
    } else if (m == "weed") {
        for (int s = 0; s < 4; ++s) {
            int x = 3 + s * 6;
            for (int y = 0; y < 10 + s * 3; ++y) img.Set(x + (y / 4) % 2, y, s % 2 ? t.top : Darker(t.top, 0.3f));
        }
        img.FillCircle(15, 20, 1, t.accent);
    } else if (m == "banner") {
        img.FillRect(4, 0, 16, 2, t.dark);
        img.FillPolygon({{6, 2}, {18, 2}, {18, 22}, {12, 17}, {6, 22}}, t.accent);
        img.FillCircle(12, 9, 3, t.glow);
    } else if (m == "crystal") {
        img.FillPolygon({{6, 23}, {9, 6}, {13, 23}}, t.accent);
        img.FillPolygon({{11, 23}, {16, 2}, {20, 23}}, Lighter(t.accent, 0.2f));
        img.DrawLine(16, 4, 15, 20, Lighter(t.accent, 0.55f));
    } else if (m == "books") {
        for (int shelf = 0; shelf < 2; ++shelf) {
            img.FillRect(0, shelf * 12 + 10, kTileSize, 2, t.dark);
            for (int x = 1; x < 23; x += 3)
                img.FillRect(x, shelf * 12 + 2 + (x % 4), 2, 8 - (x % 4),
                             MixColor(t.accent, t.glow, float(x % 5) / 5.0f));
        }
    } else if (m == "icicles") {
        for (int s = 0; s < 5; ++s)
            img.FillPolygon({{s * 5, 0}, {s * 5 + 4, 0}, {s * 5 + 2, 6 + (s * 7) % 12}}, Lighter(t.top, 0.1f));
    } else {
        img.FillRect(6, 16, 12, 6, t.dark);
        img.FillEllipse(12, 11, 5, 6, t.accent);
        img.FillEllipse(12, 13, 3, 3, t.glow);
    }
}

}  // namespace

Image DrawStageTile(const StageTheme& theme, StageTile tile) {
    Random random(Seed(theme, int(tile)));
    Image img(kTileSize, kTileSize, kTileKey);
    switch (tile) {
    case kGroundTop: return GroundTop(theme, random);
    case kGroundFill: Fill(img, theme.ground, theme.stone, theme.dark, random); break;
    case kWallBlock: Fill(img, theme.wall, theme.stone, theme.dark, random); break;
    case kPlatform: return Platform(theme);
    case kMotif: DrawMotif(img, theme); break;
    case kBackWall: Fill(img, theme.wall, Darker(theme.stone, 0.55f), Darker(theme.dark, 0.4f), random); break;
    case kPillar: return Pillar(theme);
    case kLamp: return Lamp(theme);
    default: return Crate(theme, random);
    }
    return img;
}

Image DrawStair(const StageTheme& theme) {
    Image img(kTileSize, kTileSize, kTileKey);
    for (int step = 0; step < 4; ++step) {
        int top = kTileSize - 6 * (step + 1);
        img.FillRect(6 * step, top, kTileSize - 6 * step, 6, theme.stone);
        img.FillRect(6 * step, top, kTileSize - 6 * step, 1, Lighter(theme.stone, 0.25f));
    }
    return img;
}

Image DrawTorchFrame(const StageTheme& theme, int frame) {
    Image img(kTileSize, kTileSize, kTileKey);
    img.FillRect(11, 12, 3, 12, theme.dark);
    img.FillEllipse(12, 8 - frame, 4, 5 + frame, theme.accent);
    img.FillEllipse(12, 9, 2, 3, theme.glow);
    return img;
}

// A stone arch on two pillars around a doorway lit from within: the way out
// of the stage. The pillars and the arch are cut in blocks of the stage's
// stone, the keystone in its accent; the light brightens towards the floor.
Image DrawGate(const StageTheme& theme) {
    Image img(kGateWidth, kGateHeight, kTileKey);
    const int middle = kGateWidth / 2, springLine = 24, opening = 14;
    Random random(Seed(theme, 99));
    auto inCircle = [&](int x, int y, int radius) {
        int dx = 2 * x + 1 - 2 * middle, dy = 2 * y + 1 - 2 * springLine;
        return dx * dx + dy * dy <= 4 * radius * radius;
    };
    for (int y = 0; y < kGateHeight; ++y)
        for (int x = 0; x < kGateWidth; ++x) {
            bool inArch = y >= springLine || inCircle(x, y, middle);
            bool inDoor =
                std::abs(2 * x + 1 - 2 * middle) < 2 * opening && (y >= springLine || inCircle(x, y, opening));
            if (inDoor) {
                float t = float(y - (springLine - opening)) / float(kGateHeight - springLine + opening);
                img.Set(x, y, DitherPasses(x, y, t) ? theme.glow : Darker(theme.glow, 0.45f));
            } else if (inArch) {
                bool mortar = y % 8 == 7 || (x + (y / 8 % 2) * 4) % 10 == 0;
                img.Set(x, y, mortar ? theme.dark : Banded(theme.stone, random.Uniform()));
            }
        }
    img.FillRect(middle - 3, 0, 6, 8, theme.accent);
    img.FillRect(middle - 3, 0, 6, 1, Lighter(theme.accent, 0.3f));
    img.FillRect(middle - opening - 1, springLine, 1, kGateHeight - springLine, theme.dark);
    img.FillRect(middle + opening, springLine, 1, kGateHeight - springLine, theme.dark);
    return img;
}

// Water in flat bands: the surface darkens down to the body's shade, which
// is the same everywhere, so that stacked body tiles show no edge; light
// ripples meet at the tile's sides so that a row reads as one stretch.
Image DrawWater(const StageTheme& theme, bool surface) {
    Image img(kTileSize, kTileSize, kTileKey);
    const int top = surface ? 8 : 0;
    const float bodyShade = 0.45f;
    for (int y = top; y < kTileSize; ++y) {
        float depth = surface ? bodyShade * float(y - top) / float(kTileSize - 1 - top) : bodyShade;
        for (int x = 0; x < kTileSize; ++x)
            img.Set(x, y, DitherPasses(x, y, depth) ? Darker(theme.water, 0.35f) : theme.water);
    }
    for (int x = 0; x < kTileSize; ++x) {
        int ripple = (x / 6) % 2;
        if (surface) img.Set(x, top + ripple, Lighter(theme.water, 0.45f));
        if ((x + 3) % 12 < 5) img.Set(x, (surface ? 14 : 6) + ripple * 8, Lighter(theme.water, 0.2f));
    }
    return img;
}
