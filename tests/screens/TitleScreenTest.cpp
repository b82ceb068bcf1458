#include "platform/Input.h"
#include "platform/Sound.h"
#include "platform/Texture.h"
#include "screens/MenuPictures.h"
#include "screens/TitleScreen.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

namespace {
struct Seen {
    int logo, prompt;
    float leave;
};

// Steps a fresh title with `held` pressed on the steps [from, until).
std::map<int, Seen> RunTitle(int steps, uint32_t held = 0, int from = 0, int until = 0) {
    TitleScreen title;
    std::map<int, Seen> seen;
    for (int step = 1; step <= steps; ++step) {
        TheInput().held = step >= from && step < until ? held : 0;
        title.Update(1.0f);
        seen[step] = {title.LogoAlpha(), title.PromptAlpha(), title.LeaveCounter()};
    }
    TheInput().held = 0;
    return seen;
}
}

// The real loop's timing (leaving on step 41, the menu on step 161) and the
// pictures at steps 90 and 540 are pinned by the e2e runs; the fades and the
// blink between them, and the timer's wrap, are pinned here.
TEST(TitleScreen, APressCountsAfterStep40TheLogoFadesInAndThePromptBlinks) {
    EXPECT_EQ(RunTitle(200, ButtonA, 30, 35)[200].leave, 0.0f) << "pressed and let go before step 41";
    std::map<int, Seen> idle = RunTitle(180);
    EXPECT_LT(idle[10].logo, idle[30].logo);
    EXPECT_LT(idle[30].logo, idle[60].logo);
    EXPECT_EQ(idle[60].logo, 255);
    // Shown at 60 and at 180 (60 into the next cycle), hidden at 100.
    EXPECT_EQ(idle[60].prompt, 255);
    EXPECT_EQ(idle[180].prompt, 255);
    EXPECT_EQ(idle[100].prompt, 0);

    std::map<int, Seen> leaving = RunTitle(135, ButtonB, 1, 135);
    EXPECT_EQ(leaving[40].leave, 0.0f);
    EXPECT_EQ(leaving[41].leave, 1.0f);
    EXPECT_EQ(leaving[60].prompt, 0);
    EXPECT_GT(leaving[60].logo, 0);
    EXPECT_LT(leaving[60].logo, 255);
    EXPECT_EQ(leaving[135].logo, 0);

    // Past a million steps the timer goes back to 100, never to 0 (where the
    // music would start again), and the prompt blinks on.
    TitleScreen title;
    title.SetTimer(999999.5f);
    title.Update(1.0f);
    EXPECT_EQ(title.Timer(), 100.0f);
    int shown = 0;
    for (int step = 0; step < 120; ++step, title.Update(1.0f)) shown += title.PromptAlpha() > 0;
    EXPECT_EQ(shown, 91);
}

TEST(TitleScreen, LeaveGivesBackEveryPictureAndSoundEnterLoadedAsTheMenuArtDoes) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    ASSERT_EQ(chdir(BuiltDataDir().c_str()), 0);
    InitSoundSystem();
    ASSERT_TRUE(SoundEnabled());
    int textures = LiveTextureCount();
    TitleScreen title;
    for (int visit = 0; visit < 2; ++visit) {
        title.Enter();
        EXPECT_EQ(LiveSoundCount(), 2);
        EXPECT_EQ(LiveTextureCount(), textures + 2);
        title.Leave();
        EXPECT_EQ(LiveSoundCount(), 0);
        EXPECT_EQ(LiveTextureCount(), textures);
    }
    // So does the menu's art, which the menu's pages share.
    MenuArt art;
    art.Load();
    EXPECT_EQ(LiveTextureCount(), textures + 5);
    art.Release();
    EXPECT_EQ(LiveTextureCount(), textures);
}
