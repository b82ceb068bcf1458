#include "campaign/ListPage.h"
#include "platform/Input.h"

void ListPage::Open(int32_t row, uint32_t heldBack) {
    cursor = row;
    pacer = InputPacer();
    heldBack_ = heldBack;
    asking_ = false;
}

ListPage::Step ListPage::Update(uint32_t held) {
    heldBack_ &= held;
    held &= ~heldBack_;
    Step step;
    if (!pacer.Ready()) return step;
    if (asking_) return Answer(held);
    if (cursor < 0 || cursor >= int32_t(rows.size())) return step;
    const Row& current = rows[size_t(cursor)];
    if (held & (Down | Up)) {
        pacer.Moved();
        MoveCursor((held & Down) ? 1 : -1);
        step.moved = true;
    } else if (current.steps && (held & (Left | Right))) {
        pacer.Moved();
        step.row = cursor;
        step.direction = (held & Right) ? 1 : -1;
    } else if (held & ButtonA) {
        pacer.Pressed();
        asking_ = current.question != nullptr;
        if (asking_) question_.Ask();
        else step.row = cursor;
    } else if (held & ButtonB) {
        pacer.Pressed();
        step.leave = true;
    }
    return step;
}

ListPage::Step ListPage::Answer(uint32_t held) {
    Step step;
    const ConfirmQuestion::Answer answer = question_.Update(held, pacer);
    if (answer != ConfirmQuestion::Waiting) asking_ = false;
    if (answer == ConfirmQuestion::Yes) step.row = cursor;
    return step;
}

// The next row the cursor may reach that way; past an end the cursor stays
// on the last it reached, or comes round.
void ListPage::MoveCursor(int32_t direction) {
    const int32_t count = int32_t(rows.size());
    int32_t row = cursor;
    for (int32_t tried = 1; tried < count; ++tried) {
        row += direction;
        if (row < 0 || row >= count) {
            if (ends_ == StopAtEnds) return;
            row = (row + count) % count;
        }
        if (Reachable(row)) {
            cursor = row;
            return;
        }
    }
}

bool ListPage::Reachable(int32_t row) const {
    const Row& r = rows[size_t(row)];
    return !r.hidden && !r.disabled;
}
