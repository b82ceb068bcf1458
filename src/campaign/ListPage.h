#pragma once
#include "campaign/ConfirmQuestion.h"
#include "campaign/InputPacer.h"
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The moving parts of a menu page that is a list of rows: the cursor, the
// pacing of held buttons and a question a row may ask before it acts. Up and
// Down move the cursor over the rows it may reach (stopping at the ends or
// coming round, as the page chooses); Left and Right step the value of a row
// that steps; ButtonA confirms the row; ButtonB leaves. What a row does is
// its owner's: a step says which row was stepped or confirmed. Kept apart
// from the pictures, which one drawer makes for every list.
class ListPage {
public:
    enum Ends : int32_t { StopAtEnds, WrapRound };

    struct Row {
        Row() = default;
        Row(std::string text) : label(std::move(text)) {}

        std::string label;
        std::string value;   // after the label, "" for none
        std::string second;  // the value of a second column, "" for none
        // A bar of `meterCells` cells before the value, lit up to `meter`;
        // -1 for none.
        int32_t meter = -1;
        int32_t meterCells = 0;
        bool steps = false;              // Left and Right step the value
        bool hidden = false;             // neither shown nor reached
        bool disabled = false;           // shown dim, never reached
        const char* question = nullptr;  // asked before the row acts
    };

    // What one step did.
    struct Step {
        int32_t row = -1;       // the row stepped or confirmed, or -1
        int32_t direction = 0;  // -1 or 1 when Left or Right stepped it, 0 when confirmed
        bool moved = false;     // Up or Down acted
        bool leave = false;     // ButtonB
    };

    explicit ListPage(Ends ends = StopAtEnds) : ends_(ends) {}
    // The cursor on `row`, no question open and no delay; the actions in
    // `heldBack` do nothing until they are released.
    void Open(int32_t row = 0, uint32_t heldBack = 0);
    Step Update(uint32_t held);
    bool Asking() const { return asking_; }
    const ConfirmQuestion& Question() const { return question_; }

    std::vector<Row> rows;
    int32_t cursor = 0;
    InputPacer pacer;

private:
    Step Answer(uint32_t held);
    void MoveCursor(int32_t direction);
    bool Reachable(int32_t row) const;

    Ends ends_;
    uint32_t heldBack_ = 0;
    bool asking_ = false;
    ConfirmQuestion question_;
};
