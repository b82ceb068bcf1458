// The things' sheet "sprites\things.png": 24 by 24 frames in one row on
// white (the colour key), in the order of things/SheetFrames.h: spikes
// standing and hanging, the moving and the crumbling platform's tiles, a
// heart, the whip upgrade, a gem, and the lantern unlit and lit, its flame
// flickering. Each frame gets its dark one-pixel outline on its own, so that
// tiles of a row join cleanly.
#include "Generator.h"
#include "Image.h"
#include "things/SheetFrames.h"

namespace {
constexpr int kFrameSize = ThingSheet::kFrameSize;
constexpr uint32_t kKey = 0xFFFFFFFFu;

// Standing: bottom middle, last row one above the frame's bottom. Slab: at
// the top under one row. Hanging: a standing piece turned upside down, at
// the top under one row.
enum class Place { Standing, Slab, Hanging };
struct ThingFrame {
    ThingSheet::Frame frame;
    const char* piece;
    const char* overlay;
    Place place;
};
const ThingFrame kFrames[] = {
    {ThingSheet::kSpikesUp, "spikes", nullptr, Place::Standing},
    {ThingSheet::kSpikesDown, "spikes", nullptr, Place::Hanging},
    {ThingSheet::kPlatformTile, "platform", nullptr, Place::Slab},
    {ThingSheet::kCrumbleTile, "crumble", nullptr, Place::Slab},
    {ThingSheet::kCrumbleCracked, "crumble", "cracks", Place::Slab},
    {ThingSheet::kHeart, "heart", nullptr, Place::Standing},
    {ThingSheet::kWhipUpgrade, "whip", nullptr, Place::Standing},
    {ThingSheet::kGem, "gem", nullptr, Place::Standing},
    {ThingSheet::kGemSparkle, "gem", "sparkle", Place::Standing},
    {ThingSheet::kLanternUnlit, "lantern", nullptr, Place::Standing},
    {ThingSheet::kLanternLit, "lantern", "flame a", Place::Standing},
    {ThingSheet::kLanternFlicker, "lantern", "flame b", Place::Standing},
};
static_assert(sizeof kFrames / sizeof kFrames[0] == ThingSheet::kFrameCount, "one entry for each frame of the sheet");

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
    Image sheet(ThingSheet::kFrameCount * kFrameSize, kFrameSize, kKey);
    for (const ThingFrame& frame : kFrames) {
        if (frame.frame != &frame - kFrames) context.Fail("things.png: the frames are not in the game's order");
        sheet.Blit(DrawFrame(frame, pieces, context), frame.frame * kFrameSize, 0);
    }
    sheet.Save(context, "sprites\\things.png");
}
}

DUSKHOLD_GENERATOR("things", GenerateThings);
