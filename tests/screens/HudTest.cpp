#include "platform/DataDir.h"
#include "platform/Renderer.h"
#include "player/Player.h"
#include "screens/Hud.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include "things/StageRecord.h"
#include <gtest/gtest.h>

namespace {
using HudGl = GlTest;
}

// A lantern lit on the best run's own step says "+0.00", its sign as a
// later one's: the screen left of the last digit is that of "+0.01".
TEST_F(HudGl, ALanternLitLevelWithTheBestRunReadsPlusNought) {
    std::string error;
    ASSERT_TRUE(EnterDataDir(BuiltDataDir(), error)) << error;
    Player hero;
    hero.StartPlay(PlayRules());
    StageRecord record;
    record.litLanterns.insert(0);
    Hud hud;
    hud.Load();
    hud.Step(record);
    const int32_t lastDigit = (320 + 3 * MenuText::kLetterWidth) / 2;
    auto leftOfLastDigit = [&](int32_t split) {
        hud.ShowSplit(split);
        ClearScreen();
        hud.Draw(hero, record);
        std::vector<uint32_t> pixels = ReadScreen(320, 240);
        for (size_t i = 0; i < pixels.size(); ++i)
            if (int32_t(i % 320) >= lastDigit) pixels[i] = 0;
        return pixels;
    };
    const std::vector<uint32_t> level = leftOfLastDigit(0);
    ASSERT_EQ(hud.Split(), std::optional<int32_t>(0));
    EXPECT_TRUE(level == leftOfLastDigit(1));
    EXPECT_FALSE(level == leftOfLastDigit(-1));
}
