// The hero's sheet "sprites\Aldric-Spriteset2.png": 51 by 48 frames, ten to a
// row, two rows, on white (the colour key). Frame 0 stands facing right;
// frames 1 to 4 are a walk cycle, 5 crouches, 6 to 8 crack the whip (arm
// raised, lashing, lashing from a crouch); 9 jumps, 10 falls, 11 is hurt,
// 12 sinks dying to his knees, 13 lies dead, 14 raises the whip from a
// crouch and 15 lashes upwards at a slant. The game draws a frame 19 pixels left of the hero's position, so
// the figure's middle goes to column 19, its feet on the last row.
#include "Generator.h"
#include "Image.h"
#include <algorithm>

namespace {
constexpr int kFrameWidth = 51;
constexpr int kFrameHeight = 48;
constexpr int kFramesPerRow = 10;
constexpr int kBodyMiddle = 19;
constexpr int kPieceMiddle = 12;
// Lying down, the head rests this far from the frame's left edge, so the
// whole body stays inside the frame.
constexpr int kLyingLeft = 2;
constexpr uint32_t kKey = 0xFFFFFFFFu;

// A piece laid on the upper body at (x, y) from its top-left corner.
struct Overlay {
    const char* piece;
    int x, y;
};

// A frame: an upper body on a pair of legs, a near arm laid over the upper
// body and a far arm behind it; `lean` moves the head that many pixels
// forward (negative: back) while the belt stays; `lying` lays the figure on
// its back, head to the left.
struct HeroPose {
    const char* upper;
    const char* legs;
    Overlay arm;
    Overlay farArm;
    int lean;
    bool lying;
};
const HeroPose kPoses[] = {
    {"upper", "legs standing", {}, {}, 0, false},
    {"upper", "legs stride near forward", {}, {}, 0, false},
    {"upper", "legs passing near planted", {}, {}, 0, false},
    {"upper", "legs stride far forward", {}, {}, 0, false},
    {"upper", "legs passing far planted", {}, {}, 0, false},
    {"upper", "legs crouching", {}, {}, 0, false},
    {"upper without sword arm", "legs standing", {"arm raised", 21, 5}, {}, 0, false},
    {"upper without sword arm", "legs stride near forward", {"arm forward", 20, 16}, {}, 0, false},
    {"upper without sword arm", "legs crouching", {"arm forward", 20, 16}, {}, 0, false},
    {"upper without sword arm", "legs tucked", {"arm lifted", 20, 9}, {}, 0, false},
    {"upper without sword arm", "legs apart", {"arm forward", 20, 13}, {"far arm back", -3, 13}, 0, false},
    {"upper without sword arm", "legs stride near forward", {"arm forward", 20, 15}, {}, -6, false},
    {"upper", "legs kneeling", {}, {}, 2, false},
    {"upper", "legs standing", {}, {}, 0, true},
    {"upper without sword arm", "legs crouching", {"arm raised", 21, 5}, {}, 0, false},
    {"upper without sword arm", "legs stride near forward", {"arm up forward", 20, 8}, {}, 0, false},
};
constexpr int kPoseCount = int(sizeof kPoses / sizeof kPoses[0]);

const Image* FindPiece(const std::vector<TextArt>& pieces, const char* name, ContentContext& context) {
    const Image* piece = FindArt(pieces, name);
    if (!piece) context.Fail(std::string("art/hero.txt has no ") + name);
    return piece;
}

void LayOver(Image& figure, const Overlay& overlay, int upperLeft, int upperTop, const std::vector<TextArt>& pieces,
             ContentContext& context) {
    if (!overlay.piece) return;
    if (const Image* piece = FindPiece(pieces, overlay.piece, context))
        figure.Blit(*piece, upperLeft + overlay.x, upperTop + overlay.y);
}

// Shifts the rows from `top` to `bottom` sideways, `lean` pixels at the top
// and none at the bottom, in steps: the body tilts from the belt up.
void Lean(Image& figure, int top, int bottom, int lean) {
    for (int y = top; y < bottom; ++y) {
        int shift = lean * (bottom - y) / (bottom - top);
        Image row = figure.Crop(0, y, figure.Width(), 1);
        figure.FillRect(0, y, figure.Width(), 1, 0);
        figure.Blit(row, shift, y);
    }
}

// The figure standing in a transparent frame, feet on its last row.
Image DrawFigure(const HeroPose& pose, const std::vector<TextArt>& pieces, ContentContext& context) {
    Image figure(kFrameWidth, kFrameHeight);
    const Image* upper = FindPiece(pieces, pose.upper, context);
    const Image* legs = FindPiece(pieces, pose.legs, context);
    if (!upper || !legs) return figure;
    int left = kBodyMiddle - kPieceMiddle;
    int legsTop = kFrameHeight - legs->Height();
    int upperTop = legsTop - upper->Height();
    LayOver(figure, pose.farArm, left, upperTop, pieces, context);
    figure.Blit(*upper, left, upperTop);
    LayOver(figure, pose.arm, left, upperTop, pieces, context);
    Lean(figure, upperTop, legsTop, pose.lean);
    figure.Blit(*legs, left, legsTop);
    return figure;
}

// The figure turned a quarter to the left, cut to what it covers: the head
// goes to the left, the back (with the cloak) to the bottom.
Image LaidOnItsBack(const Image& figure) {
    int left = figure.Width(), right = -1, top = figure.Height(), bottom = -1;
    for (int y = 0; y < figure.Height(); ++y)
        for (int x = 0; x < figure.Width(); ++x)
            if (figure.Get(x, y) >> 24) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    Image lying(std::max(0, bottom - top + 1), std::max(0, right - left + 1));
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) lying.Set(y - top, right - x, figure.Get(x, y));
    return lying;
}

void DrawHeroFrame(Image& sheet, int frame, const HeroPose& pose, const std::vector<TextArt>& pieces,
                   ContentContext& context) {
    int frameLeft = frame % kFramesPerRow * kFrameWidth;
    int frameTop = frame / kFramesPerRow * kFrameHeight;
    Image figure = DrawFigure(pose, pieces, context);
    if (!pose.lying) {
        sheet.Blit(figure, frameLeft, frameTop);
        return;
    }
    Image lying = LaidOnItsBack(figure);
    sheet.Blit(lying.Crop(0, 0, kFrameWidth - kLyingLeft, kFrameHeight), frameLeft + kLyingLeft,
               frameTop + kFrameHeight - lying.Height());
}

void GenerateHero(ContentContext& context) {
    std::vector<TextArt> pieces = LoadTextArt(context, "art/hero.txt");
    int rows = (kPoseCount + kFramesPerRow - 1) / kFramesPerRow;
    Image sheet(kFramesPerRow * kFrameWidth, rows * kFrameHeight, kKey);
    for (int frame = 0; frame < kPoseCount; ++frame) DrawHeroFrame(sheet, frame, kPoses[frame], pieces, context);
    sheet.Save(context, "sprites\\Aldric-Spriteset2.png");
}
}

DUSKHOLD_GENERATOR("hero", GenerateHero);
