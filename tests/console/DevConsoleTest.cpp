#include "console/DevConsole.h"
#include "base/Log.h"
#include "platform/DataDir.h"
#include "platform/Renderer.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <gtest/gtest.h>
#include <tuple>

namespace {
// Runs steps until the line count changes (at most 1000); returns how many it took.
int StepsUntilCountChanges(DevConsole& console) {
    const int32_t before = console.LineCount();
    int steps = 1;
    for (console.Update(1.0f); console.LineCount() == before && steps < 1000; ++steps) console.Update(1.0f);
    return steps;
}

// True when any pixel of the 8 by 8 text cell at column `cell`, row `row` is lit.
bool CellLit(const GlWindow& window, int cell, int row) {
    for (int y = row * 8; y < row * 8 + 8; ++y)
        for (int x = cell * 8; x < cell * 8 + 8; ++x)
            if (window.Pixel(x, y) != Colors::Black) return true;
    return false;
}
}

// Status lines and errors printed before the console exists wait for it.
// Each line shows for 180 steps after the previous one went, and a line
// added to the empty console later gets its full 180 steps. An error also
// reaches the player's message line, which a status line does not.
TEST(DevConsole, EachLineShowsThreeSecondsAfterThePreviousOneGoesEvenFromBeforeItExists) {
    GlWindow window;
    std::string error;
    ASSERT_TRUE(EnterDataDir(BuiltDataDir(), error)) << error;
    RouteLogToConsole();
    std::vector<std::string> heard;
    SetPlayerSink([&heard](const std::string& line) { heard.push_back(line); });
    PrintStatus("early %d", 1);
    {
        DevConsole console(14);
        ForwardToSink("error\n in two lines");
        console.AppendLine("b");
        EXPECT_EQ(console.Text(), "early 1\nerror\n in two lines\nb\n");
        for (const char* left : {"error\n in two lines\nb\n", " in two lines\nb\n", "b\n", ""}) {
            EXPECT_EQ(StepsUntilCountChanges(console), 180);
            EXPECT_EQ(console.Text(), left);
        }
        for (int i = 0; i < 50; ++i) console.Update(1.0f);
        console.AppendLine("late");
        EXPECT_EQ(StepsUntilCountChanges(console), 180);
    }
    EXPECT_EQ(TheDevConsole(), nullptr);
    EXPECT_EQ(DevConsole(14).Text(), "");  // the early lines went to the first console only
    EXPECT_EQ(heard, std::vector<std::string>({"error\n in two lines"}));
    SetLogSink(nullptr);
    SetPlayerSink(nullptr);
}

TEST(DevConsole, EmptyLinesGoLongTextIsCutAndWideLinesWrap) {
    GlWindow window;
    DevConsole twenty(14);
    for (int i = 1; i <= 20; ++i) twenty.AppendLine("line " + std::to_string(i));
    // Cut as the lines come, not at the next step: the log a line is added
    // to never holds more than its rows, however many lines came before.
    EXPECT_EQ(twenty.LineCount(), 14);
    twenty.Update(1.0f);
    EXPECT_EQ(twenty.Text().substr(0, 7), "line 7\n");
    // The cut does not restart the timer: the next line goes 179 steps later.
    EXPECT_EQ(StepsUntilCountChanges(twenty), 179);

    // A line wider than the 40 cells of the screen goes on in rows of its
    // own, broken at a space when it has one; "~" takes no cell. An empty
    // line goes with the one before it.
    DevConsole wrapped(14);
    wrapped.AppendLine("a");
    wrapped.AppendLine("");
    wrapped.AppendLine("Level levels/nosuch not loaded: the file cannot be opened");
    wrapped.AppendLine(std::string(39, '/') + "~x/");
    StepsUntilCountChanges(wrapped);
    EXPECT_EQ(wrapped.Text(),
              "Level levels/nosuch not loaded: the file\ncannot be opened\n" + std::string(39, '/') + "~x\n/\n");
    EXPECT_EQ(wrapped.LineCount(), 4);

    // Long text keeps its last rows; a console that keeps none shows nothing.
    DevConsole two(2), none(0);
    for (DevConsole* console : {&two, &none}) {
        console->AppendLine(std::string(120, 'x'));
        console->Update(1.0f);
    }
    EXPECT_EQ(two.Text(), std::string(40, 'x') + "\n" + std::string(40, 'x') + "\n");
    EXPECT_EQ(none.Text(), "");
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
    ClearScreen();
    console.Draw();
    // Two percent signs on the first line, and an s after the second.
    int firstRow = 30 - console.LineCount();
    const std::tuple<int, int, bool> cells[] = {
        {0, 0, true}, {1, 0, true}, {1, 1, true}, {2, 0, false}, {0, -1, false}};
    for (const auto& [cell, row, lit] : cells)
        EXPECT_EQ(CellLit(window, cell, firstRow + row), lit) << cell << ", " << row;
    // Each character of paths and errors draws its own glyph of the font.
    for (int cell = 0; cell < 7; ++cell) EXPECT_TRUE(CellLit(window, cell, firstRow + 2)) << cell;
}
