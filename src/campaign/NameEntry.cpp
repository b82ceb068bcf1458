#include "campaign/NameEntry.h"
#include "platform/Input.h"

void NameEntry::Open(int32_t maxLength) {
    name_.clear();
    cell_ = 0;
    maxLength_ = maxLength;
    pacer_.Pressed();
}

NameEntry::Result NameEntry::Update(uint32_t held, const std::string& typed) {
    for (char c : typed)
        if (Result result = TakeTyped(c); result != Editing) return result;
    if (!pacer_.Ready()) return Editing;
    if (held & (Left | Right | Up | Down)) {
        pacer_.Moved();
        Move((held & Right ? 1 : 0) - (held & Left ? 1 : 0), (held & Down ? 1 : 0) - (held & Up ? 1 : 0));
    }
    if (held & ButtonA) {
        pacer_.Pressed();
        return TakeCell();
    }
    if (held & ButtonB) {
        pacer_.Pressed();
        if (!TakeBack()) return Closed;
    }
    return Editing;
}

// Moves wrap around the rows and the columns.
void NameEntry::Move(int32_t columns, int32_t rows) {
    const int32_t column = (cell_ % kColumns + columns + kColumns) % kColumns;
    const int32_t row = (cell_ / kColumns + rows + kRows) % kRows;
    cell_ = row * kColumns + column;
}

// A full name sends the cursor to END, the one cell left to take.
void NameEntry::Add(char letter) {
    if (int32_t(name_.size()) >= maxLength_) return;
    name_ += letter;
    if (int32_t(name_.size()) == maxLength_) cell_ = kEndCell;
}

NameEntry::Result NameEntry::TakeCell() {
    if (cell_ < kLetters) Add(char('A' + cell_));
    else if (cell_ == kDeleteCell) TakeBack();
    else if (!name_.empty()) return Finished;
    return Editing;
}

NameEntry::Result NameEntry::TakeTyped(char typed) {
    if (typed >= 'A' && typed <= 'Z') Add(typed);
    else if (typed == kTypedDelete) TakeBack();
    else if (typed == kTypedEnd && !name_.empty()) return Finished;
    return Editing;
}

bool NameEntry::TakeBack() {
    if (name_.empty()) return false;
    name_.pop_back();
    return true;
}
