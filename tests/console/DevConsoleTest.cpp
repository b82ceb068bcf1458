#include "console/DevConsole.h"
#include "core/Log.h"
#include "platform/DataDir.h"
#include "platform/Renderer.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
// Runs steps until the line count changes; returns how many it took.
int StepsUntilCountChanges(DevConsole& console, int limit = 1000) {
    int32_t before = console.LineCount();
    for (int steps = 1; steps <= limit; ++steps) {
        console.Update(1.0f);
        if (console.LineCount() != before) return steps;
    }
    return -1;
}

// True when any pixel of the 8 by 8 text cell at column `cell`, row `row` is lit.
bool CellLit(const GlWindow& window, int cell, int row) {
    for (int y = row * 8; y < row * 8 + 8; ++y)
        for (int x = cell * 8; x < cell * 8 + 8; ++x)
            if (window.Pixel(x, y) != Colors::Black) return true;
    return false;
}
}

TEST(DevConsole, EachLineShowsThreeSecondsAfterThePreviousOneGoes) {
    GlWindow window;
    DevConsole console(14);
    EXPECT_EQ(TheDevConsole(), &console);
    console.Update(1.0f);  // empty: nothing to drop
    EXPECT_EQ(console.LineCount(), 0);
    console.AppendLine("a");
    console.AppendLine("b");
    console.AppendLine("c");
    EXPECT_EQ(console.LineCount(), 3);
    EXPECT_EQ(StepsUntilCountChanges(console), 180);
    EXPECT_EQ(console.Text(), "b\nc\n");
    EXPECT_EQ(StepsUntilCountChanges(console), 180);
    EXPECT_EQ(console.LineCount(), 1);
    EXPECT_EQ(StepsUntilCountChanges(console), 180);
    EXPECT_EQ(console.Text(), "");
    EXPECT_EQ(console.LineCount(), 0);

    // A line added later to the empty console gets its full three seconds.
    for (int i = 0; i < 50; ++i) console.Update(1.0f);
    console.AppendLine("late");
    EXPECT_EQ(StepsUntilCountChanges(console), 180);
}

TEST(DevConsole, EmptyLinesGoLongTextIsCutAndWideLinesWrap) {
    GlWindow window;
    DevConsole console(14);
    console.AppendLine("a");
    console.AppendLine("");
    console.AppendLine("b");
    EXPECT_EQ(console.LineCount(), 3);
    StepsUntilCountChanges(console);
    EXPECT_EQ(console.Text(), "b\n");
    EXPECT_EQ(console.LineCount(), 1);

    DevConsole twenty(14);
    for (int i = 1; i <= 20; ++i) twenty.AppendLine("line " + std::to_string(i));
    EXPECT_EQ(twenty.LineCount(), 20);
    twenty.Update(1.0f);
    EXPECT_EQ(twenty.LineCount(), 14);
    EXPECT_EQ(twenty.Text().substr(0, 7), "line 7\n");
    // The cut does not restart the timer: the next line goes 179 steps later.
    EXPECT_EQ(StepsUntilCountChanges(twenty), 179);

    // A line wider than the 40 cells of the screen goes on in rows of its
    // own, broken at a space when it has one; "~" takes no cell.
    DevConsole wrapped(14);
    wrapped.AppendLine("Level levels/nosuch not loaded: the file cannot be opened");
    wrapped.AppendLine(std::string(39, '/') + "~x/");
    EXPECT_EQ(wrapped.Text(), "Level levels/nosuch not loaded: the file\ncannot be opened\n" + std::string(39, '/') +
                                  "~x\n/\n");
    EXPECT_EQ(wrapped.LineCount(), 4);

    for (int maxLines : {0, -3}) {
        DevConsole none(maxLines);
        none.AppendLine("gone at once");
        none.Update(1.0f);
        EXPECT_EQ(none.LineCount(), 0);
        EXPECT_EQ(none.Text(), "");
    }
}

TEST(DevConsole, StatusLinesAndErrorsReachTheConsoleEvenBeforeItExists) {
    RouteLogToConsole();
    PrintStatus("early %d", 1);
    GlWindow window;
    {
        DevConsole console(14);
        PrintStatus("later");
        ForwardToSink("error\n in two lines");
        EXPECT_EQ(console.Text().substr(0, 8), "early 1\n");
        EXPECT_NE(console.Text().find("later\nerror\n in two lines\n"), std::string::npos);
    }
    EXPECT_EQ(TheDevConsole(), nullptr);
    SetLogSink(nullptr);
}

TEST(DevConsole, DrawsTheTextLiterallyAtTheBottomLeft) {
    std::string error;
    ASSERT_TRUE(EnterDataDir(BuiltDataDir(), error)) << error;
    GlWindow window;
    ASSERT_TRUE(window.Open());
    DevConsole console(14);
    console.AppendLine("%%");
    console.AppendLine("%s");
    console.AppendLine("/\\()_<>");
    int32_t lines = console.LineCount();
    ClearScreen();
    console.Draw();
    // Two percent signs on the first line, and an s after the second.
    int firstRow = 30 - lines;
    EXPECT_TRUE(CellLit(window, 0, firstRow));
    EXPECT_TRUE(CellLit(window, 1, firstRow));
    EXPECT_TRUE(CellLit(window, 1, firstRow + 1));
    EXPECT_FALSE(CellLit(window, 2, firstRow));
    EXPECT_FALSE(CellLit(window, 0, firstRow - 1));
    // Each character of paths and errors draws its own glyph of the font.
    for (int cell = 0; cell < 7; ++cell) EXPECT_TRUE(CellLit(window, cell, firstRow + 2)) << cell;
}
