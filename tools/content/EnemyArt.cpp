// The enemies' sheet "sprites\enemies.png": 32 by 48 frames, eight to a row,
// on white (the colour key): every kind's frames as its entry in the kind
// table lays them out of the pieces of art/enemies.txt, in the table's order,
// every figure facing right with its feet on the middle of row 46 and the
// bone's pieces around the frame's middle (the game turns them to spin it);
// then the burst an enemy falls in, growing and fading around the frame's
// middle. Every picture gets a dark one-pixel outline, so it reads over the
// night sky and over fire alike.
#include "Generator.h"
#include "Image.h"
#include "things/ThingPlacement.h"
#include <cmath>

namespace {
constexpr int kFrameWidth = 32;
constexpr int kFrameHeight = 48;
constexpr int kFramesPerRow = 8;
constexpr int kFeetRow = 46;
constexpr int kMiddleX = 16;
constexpr int kMiddleY = 24;
// Pieces of a figure have the body's middle on this column.
constexpr int kPieceMiddle = 8;
constexpr uint32_t kKey = 0xFFFFFFFFu;
const uint32_t kOutline = Rgb(0x16, 0x0E, 0x1A);

constexpr int kHurtLean = 3;

const Image* FindPiece(const std::vector<TextArt>& pieces, const char* name, ContentContext& context) {
    const Image* piece = FindArt(pieces, name);
    if (!piece) context.Fail(std::string("art/enemies.txt has no ") + name);
    return piece;
}

void Pale(Image& image) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.Get(x, y) >> 24) image.Set(x, y, MixColor(image.Get(x, y), Rgb(0xF4, 0xF0, 0xF8), 0.6f));
}

// The frame's pictures without their outline, in a frame-sized image.
Image DrawFrame(const EnemyFrame& frame, const std::vector<TextArt>& pieces, ContentContext& context) {
    Image drawn(kFrameWidth, kFrameHeight);
    const Image* lower = FindPiece(pieces, frame.lower, context);
    if (!lower) return drawn;
    if (frame.lay == FrameLay::Middle) {
        drawn.Blit(*lower, kMiddleX - lower->Width() / 2, kMiddleY - lower->Height() / 2);
        return drawn;
    }
    const int lowerTop = kFeetRow + 1 - lower->Height();
    const int left = frame.lay == FrameLay::Whole ? kMiddleX - lower->Width() / 2 : kMiddleX - kPieceMiddle;
    drawn.Blit(*lower, left, lowerTop);
    if (frame.upper) {
        if (const Image* upper = FindPiece(pieces, frame.upper, context))
            drawn.Blit(*upper, left - (frame.hurt ? kHurtLean : 0), lowerTop - upper->Height());
    }
    if (frame.hurt) Pale(drawn);
    return drawn;
}

// Burst n of 3 around the frame's middle: a hot core with four sparks, a
// ring of flames, then smoke drifting apart.
Image DrawBurst(int n) {
    Image drawn(kFrameWidth, kFrameHeight);
    const float kPi = 3.14159265f;
    if (n == 0) {
        drawn.FillCircle(kMiddleX, kMiddleY, 5, Rgb(0xFF, 0xB8, 0x50));
        drawn.FillCircle(kMiddleX, kMiddleY, 3, Rgb(0xFF, 0xF0, 0xC0));
        for (int s : {-1, 1}) {
            drawn.DrawLine(kMiddleX + s * 7, kMiddleY - 7, kMiddleX + s * 9, kMiddleY - 9, Rgb(0xFF, 0xE8, 0xA0));
            drawn.DrawLine(kMiddleX + s * 7, kMiddleY + 7, kMiddleX + s * 9, kMiddleY + 9, Rgb(0xFF, 0xE8, 0xA0));
        }
        return drawn;
    }
    const int puffs = 8;
    const float radius = n == 1 ? 8.0f : 11.0f;
    for (int i = 0; i < puffs; ++i) {
        const float angle = 2.0f * kPi * float(i) / float(puffs) + (n == 1 ? 0.0f : kPi / float(puffs));
        const int x = kMiddleX + int(std::lround(radius * std::cos(angle)));
        const int y = kMiddleY + int(std::lround(radius * std::sin(angle)));
        if (n == 1) {
            drawn.FillCircle(x, y, 3, Rgb(0xC0, 0x60, 0x28));
            drawn.FillCircle(x, y, 1, Rgb(0xFF, 0xB8, 0x50));
        } else {
            drawn.FillCircle(x, y, 2, Rgb(0x9C, 0x90, 0xA8));
        }
    }
    if (n == 1) drawn.FillCircle(kMiddleX, kMiddleY, 2, Rgb(0xFF, 0xE8, 0xA0));
    return drawn;
}

void GenerateEnemies(ContentContext& context) {
    std::vector<TextArt> pieces = LoadTextArt(context, "art/enemies.txt");
    std::vector<Image> pictures;
    for (const ThingKind* kind : EveryThingKind())
        for (const EnemyFrame& frame : kind->frames) pictures.push_back(DrawFrame(frame, pieces, context));
    for (int n = 0; n < kBurstFrames; ++n) pictures.push_back(DrawBurst(n));
    const int count = int(pictures.size());
    const int rows = (count + kFramesPerRow - 1) / kFramesPerRow;
    Image drawn(kFramesPerRow * kFrameWidth, rows * kFrameHeight);
    for (int frame = 0; frame < count; ++frame)
        drawn.Blit(pictures[size_t(frame)], frame % kFramesPerRow * kFrameWidth, frame / kFramesPerRow * kFrameHeight);
    drawn.Outline(kOutline);
    Image sheet(drawn.Width(), drawn.Height(), kKey);
    sheet.Blit(drawn, 0, 0);
    sheet.Save(context, "sprites\\enemies.png");
}
}

DUSKHOLD_GENERATOR("enemies", GenerateEnemies);
