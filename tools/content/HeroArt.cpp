// The hero's sheet "sprites\Aldric-Spriteset2.png": ten 51 by 48 frames to a
// row on white (the colour key). Frame 0 stands facing right; frames 1 to 4
// are a walk cycle. The game draws a frame 19 pixels left of the hero's
// position, so the figure's middle goes to column 19, its feet on the last
// row.
#include "Generator.h"
#include "Image.h"

namespace {
constexpr int kFrameWidth = 51;
constexpr int kFrameHeight = 48;
constexpr int kFramesPerRow = 10;
constexpr int kBodyMiddle = 19;
constexpr int kPieceMiddle = 12;
constexpr uint32_t kKey = 0xFFFFFFFFu;

const char* const kLegsByFrame[] = {"legs standing", "legs stride near forward",
                                    "legs passing near planted", "legs stride far forward",
                                    "legs passing far planted"};

// Stacks the upper body on the legs with the feet on the frame's last row.
void DrawHeroFrame(Image& sheet, int frame, const Image& upper, const Image& legs) {
    int left = frame % kFramesPerRow * kFrameWidth + kBodyMiddle - kPieceMiddle;
    int legsTop = frame / kFramesPerRow * kFrameHeight + kFrameHeight - legs.Height();
    sheet.Blit(legs, left, legsTop);
    sheet.Blit(upper, left, legsTop - upper.Height());
}

void GenerateHero(ContentContext& context) {
    std::vector<TextArt> pieces = LoadTextArt(context, "art/hero.txt");
    const Image* upper = FindArt(pieces, "upper");
    if (!upper) {
        context.Fail("art/hero.txt has no upper body");
        return;
    }
    Image sheet(kFramesPerRow * kFrameWidth, kFrameHeight, kKey);
    int frame = 0;
    for (const char* legsName : kLegsByFrame) {
        const Image* legs = FindArt(pieces, legsName);
        if (legs)
            DrawHeroFrame(sheet, frame, *upper, *legs);
        else
            context.Fail(std::string("art/hero.txt has no ") + legsName);
        ++frame;
    }
    sheet.Save(context, "sprites\\Aldric-Spriteset2.png");
}
}

DUSKHOLD_GENERATOR("hero", GenerateHero);
