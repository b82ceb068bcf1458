#include "campaign/StageTable.h"
#include "campaign/StagesPage.h"
#include "platform/Input.h"
#include <gtest/gtest.h>

// A file at FOREST (the third stage) with a time of the first stage and gems
// of the second: the two before FOREST are CLEAR, FOREST can be played, the
// later ones cannot be reached; the gems stand out of the stage's total
// where it is known; a finished file has every stage cleared.
TEST(StagesPage, RowsShowClearsAndBestsAndOnlyStagesUpToTheFilesOwnArePlayed) {
    SaveFileEntry file;
    std::string error;
    ASSERT_TRUE(MakeSaveEntry("ALDRIC", 3, file, error)) << error;
    KeepBestSteps(file, 0, 1310);
    KeepBestGems(file, 1, 4);
    StagesPage page;
    page.Open(file, 7, 0, {}, {1, 12});
    std::string shown;
    for (const ListPage::Row& row : page.list.rows)
        shown += row.label + "|" + row.value + "|" + row.second + "|" + (row.disabled ? "dim;" : ";");
    EXPECT_EQ(shown.substr(0, 81), "VILLAGE|CLEAR|0:20.96  -/1|;CLOCKTOWER|CLEAR|-        4/12|;FOREST|-|-        -|;");
    EXPECT_EQ(shown.substr(81, 22), "CRYPT|-|-        -|dim");
    EXPECT_EQ(page.list.cursor, 2);
    page.list.pacer.delay = 0;
    page.Update(Down);
    page.list.pacer.delay = 0;
    EXPECT_TRUE(page.Update(ButtonA).leave);
    file.stage = 63;
    file.singles[2] = kFinishedMark;
    page.Open(file, 7, 0);
    EXPECT_TRUE(StageCleared(file, 9) && page.list.cursor == 7 && page.Update(ButtonA).play == 7);
    // A file on a stage of no row, asked for none, opens on BACK, past WATCH BEST RUN.
    file.stage = 99;
    page.Open(file, -1, 0, {KeptRun::Kept});
    EXPECT_EQ(page.list.cursor, int32_t(StageRowCount()) + 1);
}

// Runs of VILLAGE and FOREST kept and one of CLOCKTOWER made on another
// stage file: WATCH BEST RUN, under the stages, lists them with the times and
// STAGE CHANGED, dim, the cursor on the first; only the kept ones are
// watched, and Back returns to the stages.
TEST(StagesPage, WatchBestRunListsTheKeptRunsAndWatchesOnlyThoseOfTheStageAsItIs) {
    SaveFileEntry file;
    std::string error;
    ASSERT_TRUE(MakeSaveEntry("ALDRIC", 3, file, error)) << error;
    KeepBestSteps(file, 0, 1310);
    StagesPage page;
    page.Open(file, 2, 0, {KeptRun::Kept, KeptRun::Changed, KeptRun::Kept});
    const auto press = [&](uint32_t held) {
        page.Update(0);
        page.list.pacer.delay = 0;
        return page.Update(held);
    };
    press(Down);
    press(ButtonA);
    ASSERT_TRUE(page.ListsRuns());
    EXPECT_EQ(page.list.rows[0].second + "|" + page.list.rows[1].second, "0:20.96|STAGE CHANGED");
    EXPECT_TRUE(page.list.rows[1].disabled && page.list.cursor == 0 && press(Down).watch < 0);
    EXPECT_EQ(page.list.cursor, 2) << "Down passes the changed run";
    press(Up);
    EXPECT_EQ(press(ButtonA).watch, 0);
    press(ButtonB);
    EXPECT_TRUE(!page.ListsRuns() && page.list.cursor == 10);
}
