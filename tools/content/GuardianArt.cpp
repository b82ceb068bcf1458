// The guardian's sheet "sprites\guardian.png": 64 by 64 frames in a row on
// white (the colour key), in the order of things/SheetFrames.h: the hulking
// armoured guardian facing right with its feet on the middle of row 62,
// standing, crouched to charge, rushing bent forward, leaping with its arms
// raised, and thrown back pale by a hit; then one 24 by 24 tile of the gate's
// portcullis in its frame's top left corner. Every picture gets the dark
// one-pixel outline of the other enemies.
#include "Generator.h"
#include "Image.h"
#include "things/SheetFrames.h"
#include <algorithm>
#include <cstdlib>

namespace {
constexpr int kFrameSize = GuardianSheet::kFrameSize;
constexpr int kFeetRow = 62;
constexpr int kMiddle = 32;
constexpr int kTile = 24;
constexpr uint32_t kKey = 0xFFFFFFFFu;
const uint32_t kOutline = Rgb(0x16, 0x0E, 0x1A);
const uint32_t kSteelDark = Rgb(0x3A, 0x40, 0x58);
const uint32_t kSteel = Rgb(0x68, 0x74, 0x94);
const uint32_t kSteelLight = Rgb(0xA8, 0xB4, 0xD0);
const uint32_t kEyes = Rgb(0xFF, 0x50, 0x40);
const uint32_t kHorn = Rgb(0xD8, 0xCC, 0xB0);
const uint32_t kCape = Rgb(0x6A, 0x1C, 0x28);
const uint32_t kGold = Rgb(0xE8, 0xB8, 0x40);

// How a frame bends the figure: its body sinks by `sink`, leans forward by
// `lean`, lifts the arm by `armLift`; `tucked` draws the legs drawn up.
struct Pose {
    GuardianSheet::Frame frame;
    int sink;
    int lean;
    int armLift;
    bool tucked;
    bool hurt;
};
const Pose kPoses[] = {
    {GuardianSheet::kStand, 0, 0, 0, false, false},  {GuardianSheet::kCrouch, 8, 2, 0, false, false},
    {GuardianSheet::kCharge, 4, 8, 0, false, false}, {GuardianSheet::kLeap, 2, 0, 18, true, false},
    {GuardianSheet::kHurt, 0, -5, 6, false, true},
};

void DrawLegs(Image& image, const Pose& pose) {
    const int hip = kFeetRow - 20 + pose.sink;
    const int length = pose.tucked ? 14 : kFeetRow + 1 - hip;
    for (int side : {-1, 1}) {
        const int x = kMiddle + side * 9 - 5 + (pose.lean > 4 ? side * 4 : 0);
        image.FillRect(x, hip, 10, length, kSteel);
        image.FillRect(x + 1, hip, 2, length, kSteelLight);
        image.FillRect(x - 1, hip + length - 4, 13, 4, kSteelDark);
    }
}

void DrawBody(Image& image, const Pose& pose) {
    const int top = kFeetRow - 50 + pose.sink;
    const int x = kMiddle + pose.lean;
    image.FillRect(x - 19, top + 10, 8, 22, kCape);
    image.FillEllipse(x, top + 20, 15, 13, kSteel);
    image.FillRect(x - 12, top + 20, 24, 12, kSteel);
    image.FillRect(x - 8, top + 14, 5, 12, kSteelLight);
    image.FillRect(x - 12, top + 29, 24, 3, kGold);
    for (int side : {-1, 1}) image.FillCircle(x + side * 14, top + 11, 6, kSteelDark);
    image.FillEllipse(x + 2, top + 3, 8, 8, kSteelDark);
    image.FillRect(x + 3, top + 2, 7, 2, kEyes);
    image.DrawLine(x - 4, top - 2, x - 8, top - 9, kHorn);
    image.DrawLine(x + 7, top - 2, x + 11, top - 9, kHorn);
}

void DrawArm(Image& image, const Pose& pose) {
    const int shoulder = kFeetRow - 40 + pose.sink;
    const int x = kMiddle + pose.lean + 12;
    const int hand = shoulder + 16 - pose.armLift;
    image.DrawLine(x, shoulder, x + 6, hand, kSteelDark);
    image.FillRect(x + 1, std::min(shoulder, hand), 6, std::abs(hand - shoulder) + 1, kSteel);
    image.FillCircle(x + 6, hand, 4, kSteelLight);
}

void Pale(Image& image) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.Get(x, y) >> 24) image.Set(x, y, MixColor(image.Get(x, y), Rgb(0xF4, 0xF0, 0xF8), 0.6f));
}

Image DrawGuardian(const Pose& pose) {
    Image drawn(kFrameSize, kFrameSize);
    DrawLegs(drawn, pose);
    DrawBody(drawn, pose);
    DrawArm(drawn, pose);
    if (pose.hurt) Pale(drawn);
    return drawn;
}

// Iron bars, three upright and two across, riveted where they meet, inside
// the tile's outline.
Image DrawPortcullis() {
    Image drawn(kFrameSize, kFrameSize);
    for (int x : {2, 10, 18}) drawn.FillRect(x + 1, 1, 3, kTile - 2, kSteel);
    for (int y : {5, 16}) drawn.FillRect(1, y, kTile - 2, 3, kSteelDark);
    for (int x : {2, 10, 18})
        for (int y : {5, 16}) drawn.Set(x + 2, y + 1, kSteelLight);
    return drawn;
}

void GenerateGuardian(ContentContext& context) {
    static_assert(sizeof kPoses / sizeof kPoses[0] == GuardianSheet::kPortcullis,
                  "a pose for each of the figure's frames");
    Image drawn(GuardianSheet::kFrameCount * kFrameSize, kFrameSize);
    for (const Pose& pose : kPoses) drawn.Blit(DrawGuardian(pose), pose.frame * kFrameSize, 0);
    drawn.Blit(DrawPortcullis(), GuardianSheet::kPortcullis * kFrameSize, 0);
    drawn.Outline(kOutline);
    Image sheet(drawn.Width(), drawn.Height(), kKey);
    sheet.Blit(drawn, 0, 0);
    sheet.Save(context, "sprites\\guardian.png");
}
}

DUSKHOLD_GENERATOR("guardian", GenerateGuardian);
