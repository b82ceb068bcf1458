// The background layers of the stages: an opaque night sky, far hills, the
// stage's own skyline and, for some, low mist. The repeating layers are 256
// pixels wide and drawn so that their right edge meets their left edge.
#include "StageArt.h"
#include <cmath>
#include <functional>
#include <map>

namespace {

constexpr int kSkyWidth = 320;
constexpr int kLayerWidth = 256;
constexpr int kHeight = 240;
const float kPi = 3.14159265f;

// Noise that repeats every kLayerWidth pixels, sampled around a circle.
float LoopNoise(int x, float scale, uint32_t seed) {
    float angle = 2.0f * kPi * float(x) / float(kLayerWidth);
    float radius = float(kLayerWidth) / (2.0f * kPi * scale);
    return FractalNoise(radius * std::cos(angle) + 50.0f, radius * std::sin(angle) + 50.0f, 3, seed);
}

// Draws a shape at x and again one layer width to the left and right, so
// that whatever crosses an edge comes back in on the other side.
void Wrapped(const std::function<void(int)>& draw, int x) {
    for (int shift : {-kLayerWidth, 0, kLayerWidth}) draw(x + shift);
}

// A wall behind an underground stage instead of the sky: courses of dressed
// stone for a vault, shapeless rock with glinting veins for a cave.
Image InteriorWall(const StageTheme& t) {
    Image img(kSkyWidth, kHeight);
    uint32_t high = MixColor(t.dark, t.skyBottom, 0.5f), low = MixColor(t.dark, t.near, 0.6f);
    img.VerticalGradient(0, 0, kSkyWidth, kHeight, low, high);
    bool vault = t.interior == "vault";
    uint32_t seam = vault ? MixColor(t.near, Rgb(0, 0, 0), 0.3f) : MixColor(t.stone, t.dark, 0.75f);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kSkyWidth; ++x) {
            bool line = vault ? y % 16 == 15 || (x + (y / 16 % 2) * 16) % 32 == 0
                              : FractalNoise(float(x) / 18.0f, float(y) / 14.0f, 3, uint32_t(t.number)) > 0.62f;
            if (line) img.Set(x, y, seam);
        }
    if (vault) return img;
    Random random(uint32_t(t.number) * 31u);
    for (int crystal = 0; crystal < 16; ++crystal) {
        int x = random.Range(2, kSkyWidth - 3), y = random.Range(2, kHeight - 3);
        img.FillPolygon({{x - 2, y}, {x, y - 3}, {x + 2, y}, {x, y + 2}}, MixColor(t.dark, t.accent, 0.6f));
        img.Set(x, y - 1, MixColor(t.accent, t.glow, 0.5f));
    }
    return img;
}

Image Sky(const StageTheme& t) {
    if (!t.interior.empty()) return InteriorWall(t);
    Image img(kSkyWidth, kHeight);
    img.VerticalGradient(0, 0, kSkyWidth, kHeight, t.skyTop, t.skyBottom);
    Random random(uint32_t(t.number) * 31u);
    for (int star = 0; star < 70; ++star) {
        int x = random.Range(0, kSkyWidth - 1), y = random.Range(0, 150);
        img.Set(x, y, MixColor(Rgb(156, 160, 216), Rgb(242, 238, 220), random.Uniform()));
    }
    int moonX = 40 + (t.number * 53) % 240, moonY = 30 + (t.number * 17) % 40;
    for (int y = moonY - 22; y <= moonY + 22; ++y)
        for (int x = moonX - 22; x <= moonX + 22; ++x) {
            int d2 = (x - moonX) * (x - moonX) + (y - moonY) * (y - moonY);
            if (d2 < 22 * 22 && DitherPasses(x, y, 0.35f))
                img.Set(x, y, MixColor(img.Get(x, y), Rgb(156, 160, 216), 0.35f));
        }
    img.FillCircle(moonX, moonY, 12, Rgb(242, 238, 220));
    img.FillCircle(moonX + 4, moonY - 2, 3, Rgb(214, 210, 196));
    return img;
}

Image FarHills(const StageTheme& t) {
    Image img(kLayerWidth, kHeight, kYellowKey);
    uint32_t rim = MixColor(t.far, t.skyBottom, 0.45f);
    for (int x = 0; x < kLayerWidth; ++x) {
        int ridge = 120 + int(70.0f * LoopNoise(x, 40.0f, uint32_t(t.number)));
        img.FillRect(x, ridge, 1, kHeight - ridge, t.far);
        for (int y = ridge; y < ridge + 4; ++y)
            if (DitherPasses(x, y, 0.5f)) img.Set(x, y, rim);
    }
    return img;
}

void Windows(Image& img, int left, int top, int width, int height, uint32_t glow, Random& random) {
    for (int y = top + 6; y + 4 < top + height; y += 10)
        for (int x = left + 4; x + 3 < left + width; x += 9)
            if (random.Uniform() < 0.35f) Wrapped([&](int at) { img.FillRect(at, y, 3, 4, glow); }, x);
}

void Houses(Image& img, const StageTheme& t, Random& random) {
    for (int x = 0; x < kLayerWidth;) {
        int width = random.Range(28, 48), height = random.Range(40, 90), base = kHeight - height;
        int chimney = random.Range(6, width - 10);
        Wrapped(
            [&](int at) {
                img.FillRect(at, base, width, height, t.near);
                img.FillPolygon({{at - 3, base}, {at + width / 2, base - 22}, {at + width + 3, base}}, t.near);
                img.FillRect(at + chimney, base - 20, 5, 14, t.near);
            },
            x);
        Windows(img, x, base, width, height, t.glow, random);
        x += width + random.Range(2, 10);
    }
}

void Gears(Image& img, const StageTheme& t, Random& random) {
    for (int x = 20; x < kLayerWidth; x += random.Range(60, 90)) {
        int cy = random.Range(110, 200), radius = random.Range(24, 42);
        Wrapped(
            [&](int at) {
                for (int tooth = 0; tooth < 12; ++tooth) {
                    float a = 2.0f * kPi * float(tooth) / 12.0f;
                    img.FillCircle(at + int(std::cos(a) * float(radius)), cy + int(std::sin(a) * float(radius)), 5,
                                   t.near);
                }
                img.FillCircle(at, cy, radius, t.near);
                for (int hole = 0; hole < 4; ++hole) {
                    float a = kPi * float(hole) / 2.0f + 0.6f;
                    img.FillCircle(at + int(std::cos(a) * float(radius) * 0.55f),
                                   cy + int(std::sin(a) * float(radius) * 0.55f), radius / 5, kYellowKey);
                }
                img.FillCircle(at, cy, 4, t.glow);
            },
            x);
    }
    img.FillRect(0, 214, kLayerWidth, 26, t.near);
}

void Trees(Image& img, const StageTheme& t, Random& random) {
    for (int x = 0; x < kLayerWidth; x += random.Range(14, 30)) {
        int height = random.Range(70, 150), base = kHeight;
        Wrapped(
            [&](int at) {
                img.FillRect(at - 2, base - 20, 5, 20, t.near);
                for (int tier = 0; tier < 4; ++tier) {
                    int y = base - 16 - tier * height / 5, half = 16 - tier * 3;
                    img.FillPolygon({{at - half, y}, {at, y - height / 3}, {at + half, y}}, t.near);
                }
            },
            x);
    }
}

void Arches(Image& img, const StageTheme& t, Random& random) {
    img.FillRect(0, 96, kLayerWidth, kHeight - 96, t.near);
    for (int x = 0; x < kLayerWidth; x += 64) {
        img.FillRect(x + 14, 140, 36, kHeight - 140, kYellowKey);
        img.FillEllipse(x + 31, 140, 18, 24, kYellowKey);
        if (random.Uniform() < 0.6f) img.FillCircle(x + 31, 132, 2, t.glow);
    }
    for (int x = 0; x < kLayerWidth; x += 8) img.FillRect(x, 90, 5, 6, t.near);
}

void Ruins(Image& img, const StageTheme& t, Random& random) {
    for (int x = 8; x < kLayerWidth; x += random.Range(30, 50)) {
        int height = random.Range(50, 110);  // the tops stay below the moon
        Wrapped(
            [&](int at) {
                img.FillRect(at, kHeight - height, 14, height, t.near);
                img.FillRect(at - 3, kHeight - height, 20, 5, t.near);
                img.FillPolygon({{at, kHeight - height}, {at + 14, kHeight - height}, {at + 7, kHeight - height - 8}},
                                kYellowKey);
            },
            x);
    }
    for (int x = 0; x < kLayerWidth; ++x) {
        int wave = 212 + int(3.0f * std::sin(float(x) * 2.0f * kPi / 32.0f));
        img.FillRect(x, wave, 1, kHeight - wave, MixColor(t.near, t.accent, 0.25f));
    }
}

void Battlements(Image& img, const StageTheme& t, Random& random) {
    img.FillRect(0, 160, kLayerWidth, 80, t.near);
    for (int x = 0; x < kLayerWidth; x += 16) img.FillRect(x, 152, 9, 8, t.near);
    for (int x = 30; x < kLayerWidth; x += 110) {
        int top = random.Range(70, 100);
        Wrapped(
            [&](int at) {
                img.FillRect(at, top, 30, kHeight - top, t.near);
                img.FillPolygon({{at - 4, top}, {at + 15, top - 34}, {at + 34, top}}, t.near);
            },
            x);
        Windows(img, x, top, 30, 60, t.glow, random);
    }
}

void Stalactites(Image& img, const StageTheme& t, Random& random) {
    img.FillRect(0, 0, kLayerWidth, 18, t.near);
    img.FillRect(0, 222, kLayerWidth, 18, t.near);
    for (int x = 0; x < kLayerWidth; x += random.Range(10, 22)) {
        int down = random.Range(30, 90), up = random.Range(20, 60);
        Wrapped(
            [&](int at) {
                img.FillPolygon({{at - 7, 17}, {at + 7, 17}, {at, 17 + down}}, t.near);
                img.FillPolygon({{at - 9, 223}, {at + 9, 223}, {at + 3, 223 - up}}, t.near);
            },
            x);
        if (random.Uniform() < 0.3f)
            Wrapped([&](int at) { img.FillPolygon({{at - 2, 222}, {at + 2, 222}, {at, 210}}, t.accent); }, x);
    }
}

void Shelves(Image& img, const StageTheme& t, Random& random) {
    for (int x = 0; x < kLayerWidth; x += 64) {
        img.FillRect(x + 4, 40, 56, kHeight - 40, t.near);
        for (int y = 60; y < kHeight; y += 30)
            for (int book = x + 8; book < x + 56; book += 4)
                img.FillRect(book, y - random.Range(14, 22), 3, 20,
                             MixColor(t.near, random.Uniform() < 0.5f ? t.accent : t.far, 0.35f));
    }
}

void Peaks(Image& img, const StageTheme& t, Random& random) {
    for (int x = 0; x < kLayerWidth; x += random.Range(50, 80)) {
        int height = random.Range(90, 170), half = random.Range(40, 70), top = kHeight - height;
        Wrapped(
            [&](int at) {
                img.FillPolygon({{at - half, kHeight}, {at, top}, {at + half, kHeight}}, t.near);
                // The face toward the moon is lit, so the mountain reads against the sky.
                img.FillPolygon({{at - half, kHeight}, {at, top}, {at - half / 5, kHeight}},
                                MixColor(t.near, t.top, 0.3f));
                img.FillPolygon({{at - half / 4, top + height / 4}, {at, top}, {at + half / 4, top + height / 4}},
                                MixColor(t.top, t.near, 0.2f));
            },
            x);
    }
}

void Flames(Image& img, const StageTheme& t, Random& random) {
    for (int x = 0; x < kLayerWidth; ++x) {
        int ridge = 190 + int(25.0f * LoopNoise(x, 20.0f, uint32_t(t.number) + 5u));
        img.FillRect(x, ridge, 1, kHeight - ridge, t.near);
    }
    for (int x = 10; x < kLayerWidth; x += random.Range(20, 40)) {
        int height = random.Range(40, 110);
        Wrapped(
            [&](int at) {
                img.FillPolygon({{at - 8, 210}, {at - 2, 210 - height}, {at + 3, 200 - height / 2}, {at + 8, 210}},
                                t.accent);
                img.FillPolygon({{at - 4, 210}, {at, 210 - height / 2}, {at + 4, 210}}, t.glow);
            },
            x);
    }
}

Image Skyline(const StageTheme& t) {
    using Drawer = std::function<void(Image&, const StageTheme&, Random&)>;
    static const std::map<std::string, Drawer> kSkylines = {{"houses", Houses},
                                                            {"gears", Gears},
                                                            {"trees", Trees},
                                                            {"arches", Arches},
                                                            {"ruins", Ruins},
                                                            {"battlements", Battlements},
                                                            {"stalactites", Stalactites},
                                                            {"shelves", Shelves},
                                                            {"peaks", Peaks},
                                                            {"flames", Flames}};
    Image img(kLayerWidth, kHeight, kYellowKey);
    Random random(uint32_t(t.number) * 977u);
    auto found = kSkylines.find(t.skyline);
    (found == kSkylines.end() ? Houses : found->second)(img, t, random);
    return img;
}

// Still water across the bottom: a lit surface line, ripples and the
// reflection of the stage's lights, repeating with the layer.
Image Water(const StageTheme& t) {
    Image img(kLayerWidth, kHeight, kYellowKey);
    const int surface = 204;
    for (int y = surface; y < kHeight; ++y)
        for (int x = 0; x < kLayerWidth; ++x)
            img.Set(x, y, DitherPasses(x, y, float(y - surface) / 40.0f) ? MixColor(t.water, t.near, 0.5f) : t.water);
    for (int x = 0; x < kLayerWidth; ++x) {
        img.Set(x, surface + int(1.5f + 1.5f * LoopNoise(x, 6.0f, 7u)), MixColor(t.water, t.glow, 0.45f));
        for (int y = surface + 6; y < kHeight; y += 7)
            if (LoopNoise(x + y * 3, 5.0f, uint32_t(y)) > 0.62f) img.Set(x, y, MixColor(t.water, t.glow, 0.25f));
    }
    return img;
}

Image Mist(const StageTheme& t) {
    Image img(kLayerWidth, kHeight, kYellowKey);
    uint32_t mist = MixColor(t.skyBottom, Rgb(156, 160, 216), 0.3f);
    for (int y = 150; y < kHeight; ++y)
        for (int x = 0; x < kLayerWidth; ++x) {
            float density = float(y - 150) / 160.0f + 0.25f * (LoopNoise(x, 30.0f, 99u) - 0.5f);
            if (DitherPasses(x, y, density)) img.Set(x, y, mist);
        }
    return img;
}

}  // namespace

Image DrawStageBackground(const StageTheme& theme, int layer) {
    switch (layer) {
    case 0: return Sky(theme);
    case 1: return FarHills(theme);
    case 2: return Skyline(theme);
    default: return theme.water ? Water(theme) : Mist(theme);
    }
}
