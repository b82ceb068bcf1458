#include "platform/Sprite.h"
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace {
// The frame walk stepped one frame at a time, as drawing defines it.
FrameOrigin WalkFrames(int32_t frame, int32_t frameWidth, int32_t frameHeight, int32_t gridWidth) {
    FrameOrigin origin;
    for (int32_t step = 0; step < frame; ++step) {
        origin.x += frameWidth;
        if (origin.x + frameWidth > gridWidth) {
            origin.x = 0;
            origin.y += frameHeight;
        }
    }
    return origin;
}

using PlacedGlyph = std::tuple<int32_t, int32_t, int32_t>;  // frame, x, y

class GlyphRecorder : public GlyphSink {
public:
    void Glyph(int32_t frame, int32_t x, int32_t y) override { glyphs.emplace_back(frame, x, y); }
    std::vector<PlacedGlyph> glyphs;
};

std::vector<PlacedGlyph> LayOut(const char* text, int32_t cell = 8) {
    GlyphRecorder recorder;
    LayOutText(text, 10, 20, cell, cell, recorder);
    return recorder.glyphs;
}
}

TEST(SpriteFrames, FramesRunAlongRowsOfTheGridWidth) {
    EXPECT_EQ(FindFrameOrigin(-4, 8, 8, 24).y, 0);
    for (int32_t frameWidth = 1; frameWidth <= 30; ++frameWidth)
        for (int32_t gridWidth = -3; gridWidth <= 100; ++gridWidth)
            for (int32_t frame = 0; frame <= 60; ++frame) {
                FrameOrigin fast = FindFrameOrigin(frame, frameWidth, 7, gridWidth);
                FrameOrigin walked = WalkFrames(frame, frameWidth, 7, gridWidth);
                ASSERT_TRUE(fast.x == walked.x && fast.y == walked.y)
                    << "frame " << frame << " width " << frameWidth << " grid " << gridWidth;
            }
    // A huge frame number costs nothing and does not overflow.
    EXPECT_EQ(FindFrameOrigin(2147483647, 8, 8, 120).y, int64_t(2147483647 / 15) * 8);
}

TEST(TextLayout, PenMovesBySpacesGlyphsPairsAndLineFeeds) {
    EXPECT_EQ(LayOut("a b"), (std::vector<PlacedGlyph>{{163, 10, 20}, {164, 26, 20}}));
    EXPECT_EQ(LayOut("I<3U"), (std::vector<PlacedGlyph>{{117, 10, 20}, {151, 18, 20}, {129, 26, 20}}));
    EXPECT_EQ(LayOut("<-x"), (std::vector<PlacedGlyph>{{195, 10, 20}, {186, 18, 20}}));
    // A "<" before anything else is a glyph of its own, and so are the
    // characters of paths and error messages.
    EXPECT_EQ(LayOut("<a<<3"), (std::vector<PlacedGlyph>{{158, 10, 20}, {163, 18, 20}, {158, 26, 20}, {151, 34, 20}}));
    EXPECT_EQ(LayOut("/\\()_>"),
              (std::vector<PlacedGlyph>{
                  {153, 10, 20}, {154, 18, 20}, {155, 26, 20}, {156, 34, 20}, {157, 42, 20}, {159, 50, 20}}));
    EXPECT_EQ(LayOut("Q\nR", 16), (std::vector<PlacedGlyph>{{125, 10, 20}, {126, 10, 36}}));
    // A "<" at the very end is a glyph; reading stops at the terminating zero.
    std::string endsInLess = "ok<";
    EXPECT_EQ(LayOut(endsInLess.c_str()).size(), 3u);
    // Characters without a glyph draw nothing and do not move the pen.
    EXPECT_TRUE(LayOut("~]\"\t\r\xE9").empty());
    // What fits in 3 cells: "a" and "<3" take one each, "~" none.
    EXPECT_EQ(CharactersInCells("a~<3 b", 3), 5u);
}
