// The desktop icon: a castle under a full moon on a rounded night-sky tile,
// drawn at 64 pixels and written in the sizes desktops and software centres
// look for, in the folder layout of the icon theme they are installed into.
#include "Generator.h"
#include "Image.h"

namespace {
const int kSize = 64;
const int kCorner = 10;
const uint32_t kSkyTop = Rgb(0x12, 0x14, 0x34);
const uint32_t kSkyBottom = Rgb(0x4a, 0x34, 0x6e);
const uint32_t kMoon = Rgb(0xf4, 0xee, 0xcf);
const uint32_t kCrater = Rgb(0xd9, 0xcf, 0xa8);
const uint32_t kHalo = Rgb(0xf4, 0xee, 0xcf, 0x38);
const uint32_t kStone = Rgb(0x0c, 0x0b, 0x18);
const uint32_t kMoonlitEdge = Rgb(0x3c, 0x3a, 0x5e);
const uint32_t kHill = Rgb(0x08, 0x10, 0x12);
const uint32_t kWindow = Rgb(0xf6, 0xc4, 0x53);
const uint32_t kRim = Rgb(0x06, 0x06, 0x0e);
const uint32_t kGate = Rgb(0x5a, 0x3a, 0x22);

bool InsideTile(int x, int y) {
    auto outsideCorner = [](int offset, int limit) {
        return offset < kCorner ? kCorner - offset : (offset > limit ? offset - limit : 0);
    };
    int limit = kSize - 1 - kCorner;
    int dx = outsideCorner(x, limit), dy = outsideCorner(y, limit);
    return dx * dx + dy * dy <= kCorner * kCorner;
}

void DrawSky(Image& icon) {
    icon.VerticalGradient(0, 0, kSize, kSize, kSkyTop, kSkyBottom);
    Random random(0x5d1c0u);
    for (int i = 0; i < 14; ++i) {
        int x = random.Range(3, kSize - 4), y = random.Range(3, 30);
        icon.Set(x, y, Rgb(0xff, 0xff, 0xe8, uint8_t(random.Range(0x90, 0xff))));
    }
}

void DrawMoon(Image& icon) {
    const int cx = 43, cy = 17, radius = 10;
    for (int ring = radius + 3; ring > radius; --ring)
        for (int y = cy - ring; y <= cy + ring; ++y)
            for (int x = cx - ring; x <= cx + ring; ++x) {
                int dx = x - cx, dy = y - cy;
                if (dx * dx + dy * dy <= ring * ring && dx * dx + dy * dy > (ring - 1) * (ring - 1))
                    icon.Blend(x, y, kHalo);
            }
    icon.FillCircle(cx, cy, radius, kMoon);
    icon.FillCircle(cx - 3, cy - 2, 2, kCrater);
    icon.FillCircle(cx + 4, cy + 3, 3, kCrater);
    icon.FillCircle(cx + 1, cy - 6, 1, kCrater);
}

// A tower with merlons along its top; `roof` adds a pointed cap instead.
void DrawTower(Image& icon, int x, int top, int width, bool roof) {
    icon.FillRect(x, top, width, kSize - top, kStone);
    if (roof) {
        icon.FillPolygon({{x - 2, top}, {x + width / 2, top - 12}, {x + width + 2, top}}, kStone);
        return;
    }
    for (int merlon = x; merlon < x + width; merlon += 4) icon.FillRect(merlon, top - 3, 2, 3, kStone);
}

void DrawCastle(Image& icon) {
    DrawTower(icon, 8, 26, 11, true);
    DrawTower(icon, 45, 32, 10, false);
    DrawTower(icon, 19, 38, 26, false);
    DrawTower(icon, 27, 30, 10, false);
    // The moon sits to the right, so the right faces catch a thin line of light.
    for (int y = 32; y < kSize; ++y) icon.Set(54, y, kMoonlitEdge);
    for (int y = 30; y < 38; ++y) icon.Set(36, y, kMoonlitEdge);
    icon.FillRect(12, 32, 2, 4, kWindow);
    icon.FillRect(31, 34, 2, 3, kWindow);
    icon.FillRect(48, 38, 2, 3, kWindow);
    icon.FillRect(13, 44, 2, 3, kWindow);
    // The gate: a faintly lit arch in the curtain wall.
    icon.FillEllipse(32, 52, 4, 4, kGate);
    icon.FillRect(28, 52, 9, 12, kGate);
}

void DrawHill(Image& icon) { icon.FillEllipse(32, 70, 44, 12, kHill); }

bool OnTileRim(int x, int y) {
    return InsideTile(x, y) &&
           (!InsideTile(x - 1, y) || !InsideTile(x + 1, y) || !InsideTile(x, y - 1) || !InsideTile(x, y + 1));
}

void CutToTile(Image& icon) {
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            if (!InsideTile(x, y)) icon.Set(x, y, 0);
            else if (OnTileRim(x, y)) icon.Set(x, y, kRim);
        }
}

void GenerateIcon(ContentContext& context) {
    Image icon(kSize, kSize);
    DrawSky(icon);
    DrawMoon(icon);
    DrawCastle(icon);
    DrawHill(icon);
    CutToTile(icon);
    // 48 is the size every desktop menu can show; the larger ones keep the
    // pixel look, their staircases rounded off as the game's own art does.
    Image large = icon.SmoothDoubled();
    const std::pair<const char*, Image> sizes[] = {
        {"48x48", icon.Scaled(3).Averaged(4)}, {"64x64", icon}, {"128x128", large}, {"256x256", large.SmoothDoubled()}};
    for (const auto& [size, picture] : sizes)
        picture.Save(context, std::string("icon\\") + size + "\\apps\\duskhold.png");
}
}

DUSKHOLD_GENERATOR("icon", GenerateIcon);
