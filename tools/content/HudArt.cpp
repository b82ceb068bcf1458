// The stage's status bar pictures "sprites\hud.png": 10 by 10 frames in one
// row on white (the colour key): 0 a full heart, 1 an empty heart, 2 the
// hero's head (his lives), 3 to 5 the leather, chain and rune whips, 6 a gem. Each
// gets a dark one-pixel outline, so it reads over sky, fire and stone alike.
#include "Generator.h"
#include "Image.h"

namespace {
constexpr int kFrameSize = 10;
constexpr uint32_t kKey = 0xFFFFFFFFu;
const char* const kFrames[] = {"heart full", "heart empty", "head", "whip leather", "whip chain", "whip rune", "gem"};

void GenerateHud(ContentContext& context) {
    std::vector<TextArt> pictures = LoadTextArt(context, "art/hud.txt");
    int count = int(sizeof kFrames / sizeof kFrames[0]);
    Image drawn(count * kFrameSize, kFrameSize);
    for (int frame = 0; frame < count; ++frame) {
        const Image* picture = FindArt(pictures, kFrames[frame]);
        if (!picture) context.Fail(std::string("art/hud.txt has no ") + kFrames[frame]);
        else drawn.Blit(picture->Crop(0, 0, kFrameSize, kFrameSize), frame * kFrameSize, 0);
    }
    drawn.Outline(Rgb(0x16, 0x0E, 0x1A));
    Image sheet(drawn.Width(), drawn.Height(), kKey);
    sheet.Blit(drawn, 0, 0);
    sheet.Save(context, "sprites\\hud.png");
}
}

DUSKHOLD_GENERATOR("hud", GenerateHud);
