#include "screens/GameOver.h"
#include <gtest/gtest.h>

// The picture at the still timer and the leaving times are pinned by the
// e2e runs; the way there is pinned here: the castle rises a pixel every
// four steps, the lettering sinks one a step, and its frames swing 0 1 2 1.
TEST(GameOver, CastleRisesLettersSinkAndTheLetteringSwingsThroughItsFrames) {
    const int32_t castle[][2] = {{0, 146}, {3, 146}, {4, 145}, {480, 26}, {961, 26}};
    for (const auto& [timer, y] : castle) EXPECT_EQ(GameOver::CastleY(timer), y) << timer;
    const int32_t letters[][2] = {{0, -370}, {480, 110}, {961, 110}};
    for (const auto& [timer, y] : letters) EXPECT_EQ(GameOver::LettersY(timer), y) << timer;
    GameOver screen;
    std::vector<int32_t> frames;
    for (int step = 1; step <= 96; ++step) {
        screen.Update(1.0f);
        if (step % 16 == 0) frames.push_back(screen.LetterFrame());
    }
    EXPECT_EQ(frames, (std::vector<int32_t>{1, 2, 1, 0, 1, 2}));
}
