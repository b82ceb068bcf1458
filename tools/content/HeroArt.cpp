// The hero's sheet "sprites\Aldric-Spriteset2.png": ten 51 by 48 frames to a
// row on white (the colour key). Frame 0 stands facing right; frames 1 to 4
// are a walk cycle, 5 crouches, 6 to 8 crack the whip (arm raised, lashing,
// lashing from a crouch); frame 9 is left empty. The game draws a frame 19 pixels left of the hero's
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

// A frame: an upper body on a pair of legs, and for the whip poses an arm
// laid over the upper body at (armX, armY) from its top-left corner.
struct HeroPose {
    const char* upper;
    const char* legs;
    const char* arm;
    int armX, armY;
};
const HeroPose kPoses[] = {
    {"upper", "legs standing", nullptr, 0, 0},
    {"upper", "legs stride near forward", nullptr, 0, 0},
    {"upper", "legs passing near planted", nullptr, 0, 0},
    {"upper", "legs stride far forward", nullptr, 0, 0},
    {"upper", "legs passing far planted", nullptr, 0, 0},
    {"upper", "legs crouching", nullptr, 0, 0},
    {"upper without sword arm", "legs standing", "arm raised", 21, 5},
    {"upper without sword arm", "legs stride near forward", "arm forward", 20, 16},
    {"upper without sword arm", "legs crouching", "arm forward", 20, 16},
};

const Image* FindPiece(const std::vector<TextArt>& pieces, const char* name, ContentContext& context) {
    const Image* piece = FindArt(pieces, name);
    if (!piece) context.Fail(std::string("art/hero.txt has no ") + name);
    return piece;
}

// Stacks the upper body on the legs with the feet on the frame's last row.
void DrawHeroFrame(Image& sheet, int frame, const HeroPose& pose, const std::vector<TextArt>& pieces,
                   ContentContext& context) {
    const Image* upper = FindPiece(pieces, pose.upper, context);
    const Image* legs = FindPiece(pieces, pose.legs, context);
    const Image* arm = pose.arm ? FindPiece(pieces, pose.arm, context) : nullptr;
    if (!upper || !legs || (pose.arm && !arm)) return;
    int left = frame % kFramesPerRow * kFrameWidth + kBodyMiddle - kPieceMiddle;
    int legsTop = frame / kFramesPerRow * kFrameHeight + kFrameHeight - legs->Height();
    int upperTop = legsTop - upper->Height();
    sheet.Blit(*legs, left, legsTop);
    sheet.Blit(*upper, left, upperTop);
    if (arm) sheet.Blit(*arm, left + pose.armX, upperTop + pose.armY);
}

void GenerateHero(ContentContext& context) {
    std::vector<TextArt> pieces = LoadTextArt(context, "art/hero.txt");
    Image sheet(kFramesPerRow * kFrameWidth, kFrameHeight, kKey);
    int frame = 0;
    for (const HeroPose& pose : kPoses) DrawHeroFrame(sheet, frame++, pose, pieces, context);
    sheet.Save(context, "sprites\\Aldric-Spriteset2.png");
}
}

DUSKHOLD_GENERATOR("hero", GenerateHero);
