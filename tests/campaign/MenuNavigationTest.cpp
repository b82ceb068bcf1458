#include "platform/Input.h"
#include "campaign/MenuNavigation.h"
#include <gtest/gtest.h>
#include <vector>

// The e2e runs walk the real menu into each stage on fixed steps; these pin
// the moves a player makes off that path.
namespace {
// Runs one frame as the loop does: the update, then the draw's animation.
// Returns true when PLAY started a file.
bool Frame(MenuNavigation& menu, uint32_t held, int32_t files = 0) {
    bool started = menu.Update(held, files);
    menu.Animate();
    return started;
}

void Frames(MenuNavigation& menu, int count, uint32_t held = 0, int32_t files = 0) {
    for (int i = 0; i < count; ++i) Frame(menu, held, files);
}

// One press, then the released frames the menu needs to settle.
void Press(MenuNavigation& menu, uint32_t button, int32_t files, int settle) {
    Frame(menu, button, files);
    Frames(menu, settle);
}

// From a fresh menu to the file list (page 3) with the cursor on PLAY.
MenuNavigation OpenFileList(int32_t files) {
    MenuNavigation menu;
    menu.Reset();
    Press(menu, ButtonA, files, 30);
    Press(menu, Down, files, 10);
    Press(menu, ButtonA, files, 30);
    Press(menu, ButtonA, files, 15);
    return menu;
}
}

TEST(MenuNavigation, DownHeldStopsAtOptionsSlidesTake25DrawsAndBGoesBackToTheOpeningEntry) {
    MenuNavigation menu;
    menu.Reset();
    std::vector<int32_t> cursors;
    for (int step = 0; step < 40; ++step, cursors.push_back(menu.cursor)) Frame(menu, Down);
    EXPECT_EQ((std::vector<int32_t>{cursors[0], cursors[9], cursors[10], cursors[39]}),
              (std::vector<int32_t>{1, 1, 2, 2}));
    // OPTIONS leaves the menu's own state as it was for the options page
    // that opens over it, once.
    Frames(menu, 10);
    Press(menu, ButtonA, 0, 40);
    EXPECT_EQ(menu.page, MenuNavigation::MainPage);
    EXPECT_EQ(menu.transition, MenuNavigation::NoSlide);
    EXPECT_TRUE(menu.TakeOptionsChoice());
    EXPECT_FALSE(menu.TakeOptionsChoice());

    menu.Reset();
    Frame(menu, ButtonA);
    EXPECT_EQ(menu.newGameOffset, 192);
    Frames(menu, 23);
    EXPECT_EQ(menu.page, MenuNavigation::MainPage);
    Frames(menu, 1);
    EXPECT_EQ(menu.page, MenuNavigation::GameStartPage);
    EXPECT_EQ(menu.configureOffset, -200);
    // NEW GAME does nothing; SELECT FILE slides the PLAY column in.
    Press(menu, ButtonA, 0, 30);
    EXPECT_EQ(menu.page, MenuNavigation::GameStartPage);
    Press(menu, Down, 0, 10);
    Press(menu, ButtonA, 0, 30);
    EXPECT_EQ(menu.page, MenuNavigation::PlayPage);
    EXPECT_EQ(menu.gameStartOffset, 144);

    Press(menu, ButtonB, 0, 30);
    EXPECT_EQ(menu.page, MenuNavigation::GameStartPage);
    EXPECT_EQ(menu.cursor, 1);
    EXPECT_EQ(menu.gameStartOffset, 0);
    Press(menu, ButtonB, 0, 30);
    EXPECT_EQ(menu.page, MenuNavigation::MainPage);
    EXPECT_EQ(menu.cursor, 0);
    EXPECT_EQ(menu.newGameOffset, 200);
}

TEST(MenuNavigation, TwelveFilesScrollToTheLastAndBackAndThreeStopTheRowAtTwo) {
    MenuNavigation menu = OpenFileList(12);
    ASSERT_EQ(menu.page, MenuNavigation::FileListPage);
    Frames(menu, 200, Down, 12);
    EXPECT_EQ(menu.listRow, 7);
    EXPECT_EQ(menu.listScroll, 4);
    EXPECT_EQ(menu.ChosenFile(), 11);
    Frames(menu, 200, Up, 12);
    EXPECT_EQ(menu.listRow, 0);
    EXPECT_EQ(menu.listScroll, 0);

    MenuNavigation three = OpenFileList(3);
    Frames(three, 100, Down, 3);
    EXPECT_EQ(three.listRow, 2);
    Frames(three, 10);
    EXPECT_TRUE(Frame(three, ButtonA, 3));
    EXPECT_EQ(three.ChosenFile(), 2);
}

TEST(MenuNavigation, PlayOnAnEmptyListOrAwayFromPlayDoesNothing) {
    MenuNavigation empty = OpenFileList(0);
    EXPECT_FALSE(Frame(empty, ButtonA, 0));
    EXPECT_EQ(empty.page, MenuNavigation::FileListPage);

    // The cursor moved off PLAY on page 2 stays there in the list: ButtonA
    // does nothing until ButtonB goes back and the cursor returns to PLAY.
    MenuNavigation menu = OpenFileList(5);
    Press(menu, ButtonB, 5, 15);
    Press(menu, Down, 5, 10);
    Press(menu, ButtonA, 5, 15);
    ASSERT_EQ(menu.page, MenuNavigation::FileListPage);
    EXPECT_EQ(menu.cursor, 1);
    EXPECT_FALSE(Frame(menu, ButtonA, 5));
    Frames(menu, 15);
    Press(menu, ButtonB, 5, 15);
    Press(menu, Up, 5, 10);
    Press(menu, ButtonA, 5, 15);
    EXPECT_TRUE(Frame(menu, ButtonA, 5));
}
