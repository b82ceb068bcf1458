#pragma once
#include "campaign/InputPacer.h"
#include <cstdint>
#include <string>

// The name of a new file, chosen on a grid of the menu font's letters: the
// arrows move over A to Z, DEL and END, ButtonA takes the cell under the
// cursor, ButtonB takes back the last letter (and closes the grid when there
// is none). Letters typed on a keyboard go straight into the name. Held
// buttons are paced as on every menu page.
class NameEntry {
public:
    static constexpr int32_t kColumns = 7;
    static constexpr int32_t kLetters = 26;
    static constexpr int32_t kDeleteCell = kLetters;
    static constexpr int32_t kEndCell = kLetters + 1;
    static constexpr int32_t kCells = kLetters + 2;
    static constexpr int32_t kRows = kCells / kColumns;
    static_assert(kCells % kColumns == 0, "the grid's rows are full");
    // What a typed string holds besides the letters A to Z.
    static constexpr char kTypedDelete = '\b';
    static constexpr char kTypedEnd = '\r';

    enum Result { Editing, Finished, Closed };

    // An empty name, the cursor on A; the press that opened the grid is not
    // taken as a letter.
    void Open(int32_t maxLength);
    // One update step with the held actions and the characters typed in it.
    Result Update(uint32_t held, const std::string& typed);

    const std::string& Name() const { return name_; }
    int32_t Cell() const { return cell_; }
    int32_t MaxLength() const { return maxLength_; }

private:
    void Move(int32_t columns, int32_t rows);
    void Add(char letter);
    Result TakeCell();
    Result TakeTyped(char typed);
    bool TakeBack();

    std::string name_;
    int32_t cell_ = 0;
    int32_t maxLength_ = 0;
    InputPacer pacer_;
};
