#include "campaign/ListPage.h"
#include "platform/Input.h"
#include <gtest/gtest.h>

namespace {
// Four rows: the second hidden, the third disabled, the last asking first.
ListPage FourRows(ListPage::Ends ends) {
    ListPage list(ends);
    list.rows = {{"ONE"}, {"TWO"}, {"THREE"}, {"FOUR"}};
    list.rows[1].hidden = true;
    list.rows[2].disabled = true;
    list.rows[3].question = "SURE?";
    list.Open();
    return list;
}

ListPage::Step Press(ListPage& list, uint32_t held) {
    list.pacer.delay = 0;
    return list.Update(held);
}
}

// The cursor passes over hidden and disabled rows, stops at the ends or
// comes round; held buttons wait out the pace; a row that asks acts only
// on YES; what is held at opening waits for its release.
TEST(ListPage, TheCursorSkipsRowsItMayNotReachStopsOrWrapsAndAQuestionComesFirst) {
    ListPage stop = FourRows(ListPage::StopAtEnds);
    EXPECT_TRUE(Press(stop, Down).moved);
    EXPECT_EQ(stop.cursor, 3);
    Press(stop, Down);
    EXPECT_EQ(stop.cursor, 3);
    ListPage wrap = FourRows(ListPage::WrapRound);
    Press(wrap, Up);
    EXPECT_EQ(wrap.cursor, 3);
    Press(wrap, Down);
    EXPECT_EQ(wrap.cursor, 0);

    EXPECT_EQ(Press(wrap, Left).row, -1) << "a row that does not step";
    wrap.rows[0].steps = true;
    const ListPage::Step stepped = Press(wrap, Left);
    EXPECT_EQ(stepped.row, 0);
    EXPECT_EQ(stepped.direction, -1);
    for (int step = 1; step < InputPacer::kMoveDelay; ++step) EXPECT_EQ(wrap.Update(Right).row, -1);
    EXPECT_EQ(wrap.Update(Right).direction, 1);

    EXPECT_EQ(Press(stop, ButtonA).row, -1);
    EXPECT_TRUE(stop.Asking());
    EXPECT_EQ(Press(stop, ButtonA).row, -1) << "NO comes first";
    Press(stop, ButtonA);
    Press(stop, Right);
    EXPECT_TRUE(stop.Question().YesChosen());
    EXPECT_EQ(Press(stop, ButtonA).row, 3);
    EXPECT_FALSE(stop.Asking());
    EXPECT_TRUE(Press(stop, ButtonB).leave);

    stop.Open(0, ButtonA | Down);
    EXPECT_EQ(Press(stop, ButtonA | Down).row, -1);
    EXPECT_EQ(stop.cursor, 0);
    EXPECT_EQ(Press(stop, 0).row, -1);
    EXPECT_EQ(Press(stop, ButtonA).row, 0);
    for (int step = 1; step < InputPacer::kButtonDelay; ++step) EXPECT_EQ(stop.Update(ButtonA).row, -1);
    EXPECT_EQ(stop.Update(ButtonA).row, 0);
}
