#include "campaign/NameEntry.h"
#include "platform/Input.h"
#include <gtest/gtest.h>

namespace {
// One press, then the released steps the grid needs to take the next.
NameEntry::Result Press(NameEntry& entry, uint32_t held, int settle = 15) {
    NameEntry::Result result = entry.Update(held, "");
    for (int i = 0; i < settle; ++i) entry.Update(0, "");
    return result;
}
}

// The grid wraps at its edges; typed letters, Backspace and the grid's DEL
// and B edit one name; a full name moves the cursor to END, which finishes
// it; B on an empty name closes the grid, END on one does nothing.
TEST(NameEntry, TheGridAndTheKeyboardEditOneNameThatEndFinishes) {
    NameEntry entry;
    entry.Open(4);
    EXPECT_EQ(entry.Update(ButtonA, ""), NameEntry::Editing);
    EXPECT_EQ(entry.Name(), "") << "the press that opened the grid";
    for (int i = 0; i < 15; ++i) entry.Update(0, "");
    Press(entry, Left);
    Press(entry, Up);
    EXPECT_EQ(entry.Cell(), NameEntry::kEndCell);
    EXPECT_EQ(Press(entry, ButtonA), NameEntry::Editing);
    Press(entry, Down);
    Press(entry, Right);
    Press(entry, ButtonA);
    EXPECT_EQ(entry.Name(), "A");
    Press(entry, Right), Press(entry, Down), Press(entry, ButtonA);
    EXPECT_EQ(entry.Name(), "AI");  // the second row's second letter
    entry.Update(0, "\b?R\bRT");
    EXPECT_EQ(entry.Name(), "ART");
    Press(entry, ButtonB);
    entry.Update(0, "MYZ");
    EXPECT_EQ(entry.Name(), "ARMY");
    EXPECT_EQ(entry.Cell(), NameEntry::kEndCell);
    entry.Update(0, "\b");
    EXPECT_EQ(Press(entry, ButtonA), NameEntry::Finished);
    EXPECT_EQ(entry.Name(), "ARM");

    entry.Open(4);
    EXPECT_EQ(entry.Update(0, "\r"), NameEntry::Editing);
    for (int i = 0; i < 15; ++i) entry.Update(0, "");
    EXPECT_EQ(Press(entry, ButtonB), NameEntry::Closed);
}
