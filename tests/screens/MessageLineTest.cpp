#include "base/Log.h"
#include "console/DevConsole.h"
#include "platform/DataDir.h"
#include "platform/Renderer.h"
#include "screens/MessageLine.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <gtest/gtest.h>

using MessageLineGl = GlTest;

// A line told to the player lies on a dark strip across the bottom of the
// picture that starts a row above its letters, the console hidden.
TEST_F(MessageLineGl, ALineToldToThePlayerLiesOnADarkStripAcrossTheBottom) {
    std::string error;
    ASSERT_TRUE(EnterDataDir(BuiltDataDir(), error)) << error;
    ShowConsole(false);
    TheMessageLine().Start();
    TellPlayer("Progress not saved");
    ASSERT_EQ(TheMessageLine().Shown(), "Progress not saved");
    FillRect(0, 0, 320, 240, Colors::White);
    TheMessageLine().Draw();
    TheMessageLine().Stop();
    // One row of letters 9 high: the strip takes the picture's last 11 rows.
    EXPECT_EQ(window.Pixel(319, 228), Colors::White);
    for (int y : {229, 239}) EXPECT_LT(window.Pixel(319, y).R(), 0x60) << y;
}
