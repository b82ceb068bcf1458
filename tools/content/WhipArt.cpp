// The three whip sheets, 128 by 94 frames three to a row on white (the colour
// key): "sprites\WhipLeather2.png", "sprites\WhipChain2.png" and
// "sprites\WhipRune2.png". Each holds the same eight poses of one lash (raised
// behind, over the head, swinging down, stretched, cracking, falling back,
// then stretched and cracking upwards at a slant, which need the room above),
// drawn along a path from the grip, so the three materials line up frame for
// frame. Each material reaches further than the one before: its lash is the
// same shape drawn to a larger scale, the grip staying where it is.
#include "Generator.h"
#include "Image.h"
#include <cmath>

namespace {
constexpr int kFrameWidth = 128;
constexpr int kFrameHeight = 94;
constexpr int kFramesPerRow = 3;
constexpr float kGripX = 28.0f;
constexpr float kGripY = 68.0f;
constexpr float kPi = 3.14159265f;
constexpr uint32_t kKey = 0xFFFFFFFFu;

// A lash as a turtle walk: it leaves the grip at `angle` (degrees, 0 to the
// right, positive downwards) and turns by a bend per pixel that moves from
// `bendStart` to `bendEnd` along its length; `wave` adds a ripple across it
// that grows towards the tip; `curl` turns the last eighth sharply.
struct WhipPose {
    float angle;
    float bendStart;
    float bendEnd;
    float length;
    float wave;
    float curl;
};
const WhipPose kPoses[] = {
    {-75.0f, -0.060f, -0.090f, 46.0f, 0.0f, 0.0f},  // raised behind
    {-75.0f, 0.040f, 0.020f, 92.0f, 0.0f, 0.0f},    // over the head
    {-22.0f, 0.012f, 0.002f, 94.0f, 1.5f, 0.0f},    // swinging down
    {0.0f, 0.0f, 0.0f, 90.0f, 1.2f, 0.0f},          // stretched
    {-2.0f, 0.0f, 0.0f, 88.0f, 0.5f, 0.30f},        // cracking
    {18.0f, 0.010f, -0.030f, 80.0f, 2.5f, 0.0f},    // falling back
    {-45.0f, 0.0f, 0.0f, 90.0f, 1.2f, 0.0f},        // stretched upwards
    {-47.0f, 0.0f, 0.0f, 88.0f, 0.5f, 0.30f},       // cracking upwards
};
constexpr int kPoseCount = int(sizeof kPoses / sizeof kPoses[0]);
constexpr int kStretchedPose = 3;
// How far the chain's spiked weight (with its outline) and the rune's star
// stand out past the lash's tip.
constexpr int kWeightSpike = 5;
constexpr int kWeightReach = kWeightSpike + 1;
constexpr int kStarArm = 4;

struct PathPoint {
    float x, y;    // where the lash passes
    float dx, dy;  // its direction there, unit length
    float t;       // 0 at the grip, 1 at the tip
};

// The pose drawn `scale` times as large: lengths and ripples grow, bends
// per pixel shrink, so the lash keeps its shape.
std::vector<PathPoint> LashPath(const WhipPose& pose, float scale) {
    std::vector<PathPoint> path;
    float x = kGripX, y = kGripY, angle = pose.angle * kPi / 180.0f;
    int steps = int(std::lround(pose.length * scale));
    for (int i = 0; i <= steps; ++i) {
        float t = float(i) / float(steps);
        float ripple = pose.wave * scale * t * std::sin(t * 3.0f * kPi);
        float dx = std::cos(angle), dy = std::sin(angle);
        path.push_back({x - dy * ripple, y + dx * ripple, dx, dy, t});
        float bend = (pose.bendStart + (pose.bendEnd - pose.bendStart) * t) / scale;
        if (t > 0.875f) bend += pose.curl / scale;
        angle += bend;
        x += dx;
        y += dy;
    }
    return path;
}

// Where a pixel lies relative to the lash: distance to the nearest path
// point, the side it is on (negative is the upper side for a lash running
// right), and that point's index.
struct LashSpot {
    float distance;
    float side;
    size_t index;
};
LashSpot NearestSpot(const std::vector<PathPoint>& path, float x, float y) {
    LashSpot best{1e9f, 0.0f, 0};
    for (size_t i = 0; i < path.size(); ++i) {
        float ox = x - path[i].x, oy = y - path[i].y;
        float d = std::sqrt(ox * ox + oy * oy);
        if (d < best.distance) best = {d, path[i].dx * oy - path[i].dy * ox, i};
    }
    return best;
}

// Calls paint(x, y, spot) for every pixel of a frame near the lash.
template <typename Paint>
void ForEachPixelNearLash(const std::vector<PathPoint>& path, float reach, Paint paint) {
    for (int y = 0; y < kFrameHeight; ++y)
        for (int x = 0; x < kFrameWidth; ++x) {
            LashSpot spot = NearestSpot(path, float(x) + 0.5f, float(y) + 0.5f);
            if (spot.distance <= reach) paint(x, y, spot);
        }
}

// The grip: a short wrapped handle behind the first point of the lash, with
// a metal band at each end, ending in a round pommel.
void DrawGrip(Image& frame, const PathPoint& start, uint32_t wrap, uint32_t band, uint32_t pommel) {
    const int length = 8;
    frame.FillCircle(int(std::lround(start.x - start.dx * float(length + 1))),
                     int(std::lround(start.y - start.dy * float(length + 1))), 1, pommel);
    for (int i = 0; i <= length; ++i) {
        int x = int(std::lround(start.x - start.dx * float(i))), y = int(std::lround(start.y - start.dy * float(i)));
        bool banded = i == 0 || i == length;
        frame.FillRect(x - 1, y - 1, 2, 2, banded ? band : wrap);
    }
}

Image LeatherFrame(const std::vector<PathPoint>& path) {
    const uint32_t light = Rgb(0xC0, 0x88, 0x4C), body = Rgb(0x8A, 0x58, 0x30), shade = Rgb(0x5A, 0x36, 0x1C),
                   braid = Rgb(0x6C, 0x42, 0x22), outline = Rgb(0x24, 0x14, 0x0C);
    Image frame(kFrameWidth, kFrameHeight);
    ForEachPixelNearLash(path, 2.0f, [&](int x, int y, const LashSpot& spot) {
        float radius = 1.9f - 1.3f * path[spot.index].t;
        if (spot.distance > radius) return;
        uint32_t color = spot.side < -0.6f ? light : spot.side > 0.6f ? shade : body;
        if (color == body && spot.index / 3 % 2 == 1) color = braid;
        frame.Set(x, y, color);
    });
    DrawGrip(frame, path.front(), Rgb(0x6E, 0x40, 0x24), Rgb(0xC8, 0xA0, 0x58), Rgb(0xE0, 0xB8, 0x68));
    frame.Outline(outline);
    return frame;
}

Image ChainFrame(const std::vector<PathPoint>& path) {
    const uint32_t light = Rgb(0xE4, 0xEA, 0xF4), steel = Rgb(0x9C, 0xA8, 0xC0), dark = Rgb(0x5C, 0x66, 0x80),
                   outline = Rgb(0x14, 0x16, 0x22);
    Image frame(kFrameWidth, kFrameHeight);
    const int linkStep = 5;
    ForEachPixelNearLash(path, 3.0f, [&](int x, int y, const LashSpot& spot) {
        // Position within the nearest link, along (u) and across (v) the lash.
        size_t link = spot.index / linkStep;
        const PathPoint& centre = path[std::min(path.size() - 1, link * linkStep + linkStep / 2)];
        float ox = float(x) + 0.5f - centre.x, oy = float(y) + 0.5f - centre.y;
        float u = ox * centre.dx + oy * centre.dy, v = centre.dx * oy - centre.dy * ox;
        uint32_t shine = v < -0.5f ? light : v > 0.7f ? dark : steel;
        if (link % 2 == 0) {
            float ring = (u / 3.2f) * (u / 3.2f) + (v / 2.2f) * (v / 2.2f);
            if (ring <= 1.0f && ring >= 0.3f) frame.Set(x, y, shine);
        } else if (std::fabs(v) <= 0.7f && std::fabs(u) <= 3.0f) {
            frame.Set(x, y, steel);
        }
    });
    // A spiked weight on the end.
    const PathPoint& tip = path.back();
    int tx = int(std::lround(tip.x)), ty = int(std::lround(tip.y));
    for (int k = 0; k < 8; ++k) {
        float a = float(k) * kPi / 4.0f;
        frame.DrawLine(tx, ty, tx + int(std::lround(std::cos(a) * kWeightSpike)),
                       ty + int(std::lround(std::sin(a) * kWeightSpike)), dark);
    }
    frame.FillCircle(tx, ty, 3, steel);
    frame.FillCircle(tx - 1, ty - 1, 1, light);
    DrawGrip(frame, path.front(), Rgb(0x4C, 0x52, 0x6C), Rgb(0xB8, 0xC4, 0xD8), Rgb(0xD8, 0xE0, 0xEC));
    frame.Outline(outline);
    return frame;
}

Image RuneFrame(const std::vector<PathPoint>& path) {
    const uint32_t core = Rgb(0xEC, 0xFC, 0xFE), inner = Rgb(0x84, 0xDC, 0xFF), glow = Rgb(0x40, 0x74, 0xE0),
                   haze = Rgb(0x30, 0x24, 0x84), rune = Rgb(0xD8, 0x98, 0xFF);
    Image frame(kFrameWidth, kFrameHeight);
    ForEachPixelNearLash(path, 4.0f, [&](int x, int y, const LashSpot& spot) {
        float fade = 1.0f - 0.5f * path[spot.index].t;
        float d = spot.distance;
        if (d <= 0.8f) frame.Set(x, y, core);
        else if (d <= 1.7f * fade + 0.3f) frame.Set(x, y, inner);
        else if (d <= 2.6f * fade + 0.4f) frame.Set(x, y, glow);
        else if (DitherPasses(x, y, 0.5f * fade)) frame.Set(x, y, haze);
    });
    // Runes ride the lash: a small diamond every 16 pixels.
    for (size_t i = 12; i + 4 < path.size(); i += 16) {
        int x = int(std::lround(path[i].x)), y = int(std::lround(path[i].y));
        frame.DrawLine(x - 2, y, x, y - 2, rune);
        frame.DrawLine(x, y - 2, x + 2, y, rune);
        frame.DrawLine(x + 2, y, x, y + 2, rune);
        frame.DrawLine(x, y + 2, x - 2, y, rune);
        frame.Set(x, y, core);
    }
    const PathPoint& tip = path.back();
    int tx = int(std::lround(tip.x)), ty = int(std::lround(tip.y));
    frame.DrawLine(tx - kStarArm, ty, tx + kStarArm, ty, inner);
    frame.DrawLine(tx, ty - kStarArm, tx, ty + kStarArm, inner);
    frame.FillRect(tx - 1, ty - 1, 3, 3, core);
    DrawGrip(frame, path.front(), Rgb(0x4A, 0x30, 0x7C), Rgb(0xA0, 0x78, 0xF0), Rgb(0xB8, 0xE8, 0xFF));
    return frame;
}

// The crack of the whip: a small burst of light beside the curled tip.
void DrawCrack(Image& frame, const PathPoint& tip, uint32_t color) {
    int x = int(std::lround(tip.x)) + 4, y = int(std::lround(tip.y)) - 3;
    for (int k = 0; k < 6; ++k) {
        float a = float(k) * kPi / 3.0f + 0.3f;
        frame.DrawLine(x + int(std::lround(std::cos(a) * 2.0f)), y + int(std::lround(std::sin(a) * 2.0f)),
                       x + int(std::lround(std::cos(a) * 5.0f)), y + int(std::lround(std::sin(a) * 5.0f)), color);
    }
}

// `lashLength` is how far the stretched lash runs from the grip, in pixels.
void GenerateSheet(ContentContext& context, const std::string& gamePath,
                   Image (*drawFrame)(const std::vector<PathPoint>&), uint32_t crackColor, float lashLength) {
    int rows = (kPoseCount + kFramesPerRow - 1) / kFramesPerRow;
    Image sheet(kFramesPerRow * kFrameWidth, rows * kFrameHeight, kKey);
    float scale = lashLength / kPoses[kStretchedPose].length;
    for (int i = 0; i < kPoseCount; ++i) {
        std::vector<PathPoint> path = LashPath(kPoses[i], scale);
        Image frame = drawFrame(path);
        if (kPoses[i].curl > 0.0f) DrawCrack(frame, path.back(), crackColor);
        sheet.Blit(frame, i % kFramesPerRow * kFrameWidth, i / kFramesPerRow * kFrameHeight);
    }
    sheet.Save(context, gamePath);
}

// Stretched, the leather reaches 48 pixels from the grip, the chain 64 and
// the rune 80, counting what the tip carries.
void GenerateWhips(ContentContext& context) {
    GenerateSheet(context, "sprites\\WhipLeather2.png", LeatherFrame, Rgb(0xFF, 0xE8, 0xA0), 48.0f);
    GenerateSheet(context, "sprites\\WhipChain2.png", ChainFrame, Rgb(0xF0, 0xF4, 0xFF), 64.0f - kWeightReach);
    GenerateSheet(context, "sprites\\WhipRune2.png", RuneFrame, Rgb(0xD8, 0x98, 0xFF), 80.0f - kStarArm);
}
}

DUSKHOLD_GENERATOR("whips", GenerateWhips);
