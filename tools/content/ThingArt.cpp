// The things' sheet "sprites\things.png": 24 by 24 frames in one row on
// white (the colour key): 0 spikes standing, 1 spikes hanging, 2 the moving
// platform's tile, 3 the crumbling platform's tile and 4 the same cracked,
// 5 a heart, 6 the whip upgrade, 7 a gem and 8 the same sparkling, 9 the
// lantern unlit and 10, 11 lit, its flame flickering. Each frame gets its
// dark one-pixel outline on its own, so that tiles of a row join cleanly.
#include "Generator.h"
#include "Image.h"

namespace {
constexpr int kFrameSize = 24;
constexpr uint32_t kKey = 0xFFFFFFFFu;

// Standing: bottom middle, last row one above the frame's bottom. Slab: at
// the top under one row. Hanging: a standing piece turned upside down, at
// the top under one row.
enum class Place { Standing, Slab, Hanging };
struct ThingFrame {
    const char* piece;
    const char* overlay;
    Place place;
};
const ThingFrame kFrames[] = {
    {"spikes", nullptr, Place::Standing},    {"spikes", nullptr, Place::Hanging},
    {"platform", nullptr, Place::Slab},      {"crumble", nullptr, Place::Slab},
    {"crumble", "cracks", Place::Slab},      {"heart", nullptr, Place::Standing},
    {"whip", nullptr, Place::Standing},      {"gem", nullptr, Place::Standing},
    {"gem", "sparkle", Place::Standing},     {"lantern", nullptr, Place::Standing},
    {"lantern", "flame a", Place::Standing}, {"lantern", "flame b", Place::Standing},
};

Image UpsideDown(const Image& image) {
    Image turned(image.Width(), image.Height());
    for (int y = 0; y < image.Height(); ++y) turned.Blit(image.Crop(0, y, image.Width(), 1), 0, image.Height() - 1 - y);
    return turned;
}

const Image* FindPiece(const std::vector<TextArt>& pieces, const char* name, ContentContext& context) {
    const Image* piece = FindArt(pieces, name);
    if (!piece) context.Fail(std::string("art/things.txt has no ") + name);
    return piece;
}

Image DrawFrame(const ThingFrame& thing, const std::vector<TextArt>& pieces, ContentContext& context) {
    Image frame(kFrameSize, kFrameSize);
    const Image* piece = FindPiece(pieces, thing.piece, context);
    if (!piece) return frame;
    Image picture = *piece;
    if (thing.overlay)
        if (const Image* overlay = FindPiece(pieces, thing.overlay, context)) picture.Blit(*overlay, 0, 0);
    if (thing.place == Place::Hanging) picture = UpsideDown(picture);
    const int top = thing.place == Place::Standing ? kFrameSize - 1 - picture.Height() : 1;
    frame.Blit(picture, (kFrameSize - picture.Width()) / 2, top);
    frame.Outline(Rgb(0x16, 0x0E, 0x1A));
    return frame;
}

void GenerateThings(ContentContext& context) {
    const std::vector<TextArt> pieces = LoadTextArt(context, "art/things.txt");
    const int count = int(sizeof kFrames / sizeof kFrames[0]);
    Image sheet(count * kFrameSize, kFrameSize, kKey);
    for (int frame = 0; frame < count; ++frame)
        sheet.Blit(DrawFrame(kFrames[frame], pieces, context), frame * kFrameSize, 0);
    sheet.Save(context, "sprites\\things.png");
}
}

DUSKHOLD_GENERATOR("things", GenerateThings);
