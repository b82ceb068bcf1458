#include "platform/Input.h"
#include "campaign/MenuNavigation.h"
#include <gtest/gtest.h>
#include <vector>

// The e2e runs walk the real menu into each stage on fixed steps; these pin
// the moves a player makes off that path.
namespace {
// Runs one frame as the loop does: the update, then the draw's animation.
// Returns what the step chose.
MenuNavigation::Choice Choose(MenuNavigation& menu, uint32_t held, int32_t files = 0) {
    MenuNavigation::Choice choice = menu.Update(held, files);
    menu.Animate();
    return choice;
}

// Returns true when PLAY started a file.
bool Frame(MenuNavigation& menu, uint32_t held, int32_t files = 0) {
    return Choose(menu, held, files) == MenuNavigation::PlayChosenFile;
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
    EXPECT_EQ(Choose(menu, ButtonA), MenuNavigation::OpenOptions);
    Frames(menu, 40);
    EXPECT_EQ(menu.page, MenuNavigation::MainPage);
    EXPECT_EQ(menu.transition, MenuNavigation::NoSlide);

    menu.Reset();
    Frame(menu, ButtonA);
    EXPECT_EQ(menu.newGameOffset, 192);
    Frames(menu, 23);
    EXPECT_EQ(menu.page, MenuNavigation::MainPage);
    Frames(menu, 1);
    EXPECT_EQ(menu.page, MenuNavigation::GameStartPage);
    EXPECT_EQ(menu.configureOffset, -200);
    // NEW GAME asks the screen for a new file; SELECT FILE slides the PLAY column in.
    EXPECT_EQ(Choose(menu, ButtonA), MenuNavigation::MakeNewFile);
    Frames(menu, 30);
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

TEST(MenuNavigation, PlayOnAnEmptyListDoesNothingEraseAsksForTheChosenFileAndTheListFitsWhatIsLeft) {
    MenuNavigation empty = OpenFileList(0);
    EXPECT_EQ(Choose(empty, ButtonA, 0), MenuNavigation::NoChoice);
    EXPECT_EQ(empty.page, MenuNavigation::FileListPage);

    // ERASE, chosen on page 2 under PLAY and above STAGES, stays under the cursor in the list, which
    // Right opens as ButtonA does and Left leaves; nothing is below STAGES.
    MenuNavigation menu = OpenFileList(12);
    Press(menu, Left, 12, 10);
    EXPECT_EQ(menu.page, MenuNavigation::PlayPage);
    for (int press = 0; press < 3; ++press) Press(menu, Down, 12, 10);
    EXPECT_EQ(menu.cursor, MenuNavigation::kStagesEntry);
    Press(menu, Up, 12, 10);
    EXPECT_EQ(menu.cursor, MenuNavigation::kEraseEntry);
    Press(menu, Right, 12, 10);
    ASSERT_EQ(menu.page, MenuNavigation::FileListPage);
    EXPECT_EQ(menu.cursor, MenuNavigation::kEraseEntry);
    Press(menu, Right, 12, 10);
    EXPECT_EQ(menu.page, MenuNavigation::FileListPage);
    Frames(menu, 200, Down, 12);
    EXPECT_EQ(Choose(menu, ButtonA, 12), MenuNavigation::EraseChosenFile);
    EXPECT_EQ(menu.ChosenFile(), 11);
    menu.FitList(11);
    EXPECT_EQ((std::vector<int32_t>{menu.listScroll, menu.listRow}), (std::vector<int32_t>{3, 7}));
    menu.FitList(8);
    EXPECT_EQ((std::vector<int32_t>{menu.listScroll, menu.listRow}), (std::vector<int32_t>{0, 7}));
    menu.FitList(0);
    EXPECT_EQ((std::vector<int32_t>{menu.listScroll, menu.listRow}), (std::vector<int32_t>{0, 0}));
}
