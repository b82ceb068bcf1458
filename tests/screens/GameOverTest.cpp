#include "platform/Input.h"
#include "platform/Texture.h"
#include "screens/GameOver.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <gtest/gtest.h>
#include <unistd.h>

TEST(GameOver, CastleRisesLettersSinkAndBothStopAfter480Steps) {
    EXPECT_EQ(GameOver::CastleY(0), 146);
    EXPECT_EQ(GameOver::CastleY(3), 146);
    EXPECT_EQ(GameOver::CastleY(4), 145);
    EXPECT_EQ(GameOver::CastleY(480), 26);
    EXPECT_EQ(GameOver::CastleY(961), 26);
    EXPECT_EQ(GameOver::LettersY(0), -370);
    EXPECT_EQ(GameOver::LettersY(480), 110);
    EXPECT_EQ(GameOver::LettersY(961), 110);
}

TEST(GameOver, LetteringCyclesItsFramesAndLeaveReleasesEveryPicture) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    char home[4096];
    ASSERT_NE(getcwd(home, sizeof home), nullptr);
    ASSERT_EQ(chdir(BuiltDataDir().c_str()), 0);
    TheInput().held = 0;
    int before = LiveTextureCount();
    GameOver screen;
    screen.Enter();
    EXPECT_EQ(LiveTextureCount(), before + 3);
    std::vector<int32_t> frames;
    for (int step = 1; step <= 960; ++step) {
        screen.Update(1.0f);
        screen.Draw();
        if (step % 16 == 0 && step <= 96) frames.push_back(screen.LetterFrame());
    }
    EXPECT_EQ(frames, (std::vector<int32_t>{1, 2, 1, 0, 1, 2}));
    // Without input the screen is still on after 960 steps.
    EXPECT_EQ(screen.Timer(), 960);
    screen.Leave();
    EXPECT_EQ(LiveTextureCount(), before);
    ASSERT_EQ(chdir(home), 0);
}
