#pragma once
#include "campaign/ListPage.h"
#include "campaign/SaveFile.h"
#include <cstddef>
#include <cstdint>

// A stage of the stage table (its row) is cleared in a file when the file
// has gone past it, is finished, or keeps a time for it.
bool StageCleared(const SaveFileEntry& file, size_t stageRow);
// It may be played from the file when it is the file's stage or one before.
bool StagePlayable(const SaveFileEntry& file, size_t stageRow);

// The moving parts of a file's STAGES page: a row for each stage of the
// stage table (its short name, CLEAR when cleared, its best time and best
// gems, "-" for none), then BACK. The stages that cannot be played yet are
// shown dim and never reached. ButtonA on a stage plays it, on BACK leaves;
// ButtonB leaves.
class StagesPage {
public:
    // What one step did.
    struct Step {
        int32_t play = -1;  // the row of the stage chosen, or -1
        bool leave = false;
    };

    // The rows of `file`, the cursor on `stageRow` when it can be played and
    // on the file's stage otherwise; the actions in `heldBack` do nothing
    // until released.
    void Open(const SaveFileEntry& file, int32_t stageRow, uint32_t heldBack);
    Step Update(uint32_t held);
    const SaveFileEntry& File() const { return file_; }

    ListPage list;

private:
    SaveFileEntry file_;
};
