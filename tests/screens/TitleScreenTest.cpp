#include "platform/Input.h"
#include "platform/Renderer.h"
#include "platform/Sound.h"
#include "platform/Texture.h"
#include "screens/TitleScreen.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

// The title's counters and the alphas Draw uses; the screens that were never
// entered hold no pictures or sounds to draw or play. The real loop's timing
// (leaving on step 41, the menu on step 161) is what the e2e tests' movies
// are built on.
TEST(TitleScreen, APressCountsAfterStep40TheLogoFadesInAndLeavingFadesItOut) {
    TitleScreen early;
    for (int step = 1; step <= 200; ++step) {
        TheInput().held = step >= 30 && step < 35 ? ButtonA : 0;
        early.Update(1.0f);
    }
    EXPECT_EQ(early.LeaveCounter(), 0.0f) << "pressed and let go before step 41";

    TitleScreen title;
    std::map<int, int> logo, prompt;
    for (int step = 1; step <= 180; ++step) {
        title.Update(1.0f);
        logo[step] = title.LogoAlpha();
        prompt[step] = title.PromptAlpha();
    }
    EXPECT_LT(logo[10], logo[30]);
    EXPECT_LT(logo[30], logo[60]);
    EXPECT_EQ(logo[60], 255);
    // Shown at 60 and at 180 (60 into the next cycle), hidden at 100.
    EXPECT_EQ(prompt[60], 255);
    EXPECT_EQ(prompt[180], 255);
    EXPECT_EQ(prompt[100], 0);

    TitleScreen leaving;
    TheInput().held = ButtonA;
    std::map<int, float> counter;
    for (int step = 1; step <= 135; ++step) {
        leaving.Update(1.0f);
        counter[step] = leaving.LeaveCounter();
        logo[step] = leaving.LogoAlpha();
        prompt[step] = leaving.PromptAlpha();
    }
    TheInput().held = 0;
    EXPECT_EQ(counter[40], 0.0f);
    EXPECT_EQ(counter[41], 1.0f);
    EXPECT_EQ(prompt[60], 0);
    EXPECT_GT(logo[60], 0);
    EXPECT_LT(logo[60], 255);
    EXPECT_EQ(logo[135], 0);
}

TEST(TitleScreen, TimerWrapKeepsThePromptBlinkingAndNeverReturnsToZero) {
    TitleScreen title;
    TheInput().held = 0;
    title.SetTimer(999999.5f);
    title.Update(1.0f);
    EXPECT_EQ(title.Timer(), 100.0f);
    int shown = 0;
    for (int step = 0; step < 120; ++step) {
        title.Update(1.0f);
        EXPECT_NE(title.Timer(), 0.0f);
        shown += title.PromptAlpha() > 0;
        EXPECT_EQ(title.LogoAlpha(), 255);
    }
    EXPECT_EQ(shown, 91);
    TheInput().held = ButtonB;
    title.Update(1.0f);
    EXPECT_EQ(title.LeaveCounter(), 1.0f);
    EXPECT_EQ(title.PromptAlpha(), 0);  // leaving: no prompt, whatever the timer
    title.Leave();
}

namespace {
// How many pixels of a screen row are not black.
int LitPixels(const GlWindow& window, int y) {
    int lit = 0;
    for (int x = 0; x < 320; ++x) lit += window.Pixel(x, y) != Colors::Black;
    return lit;
}
}

TEST(TitleScreen, TheLogoIsDrawnWithItsAlphaAndLeaveGivesBackEveryPictureAndSound) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    GlWindow window;
    ASSERT_TRUE(window.Open());
    ASSERT_EQ(chdir(BuiltDataDir().c_str()), 0);
    InitSoundSystem();
    ASSERT_TRUE(SoundEnabled());
    int textures = LiveTextureCount();
    TheInput().held = 0;
    TitleScreen title;
    for (int visit = 0; visit < 2; ++visit) {
        title.Enter();
        EXPECT_EQ(LiveSoundCount(), 2);
        EXPECT_EQ(LiveTextureCount(), textures + 2);
        ClearScreen();
        title.Draw();
        EXPECT_EQ(LitPixels(window, 60), 0) << "alpha 0 before the first step";
        for (int step = 0; step < 60; ++step) title.Update(1.0f);
        ClearScreen();
        title.Draw();
        EXPECT_GT(LitPixels(window, 60), 100);
        title.Leave();
        EXPECT_EQ(LiveSoundCount(), 0);
        EXPECT_EQ(LiveTextureCount(), textures);
    }
}
