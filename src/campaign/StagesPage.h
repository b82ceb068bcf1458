#pragma once
#include "campaign/BestRunRecords.h"
#include "campaign/ListPage.h"
#include "campaign/SaveFile.h"
#include <cstddef>
#include <cstdint>
#include <vector>

// A stage of the stage table (its row) is cleared in a file when the file
// has gone past it, is finished, or keeps a time for it.
bool StageCleared(const SaveFileEntry& file, size_t stageRow);
// It may be played from the file when it is the file's stage or one before.
bool StagePlayable(const SaveFileEntry& file, size_t stageRow);

// The moving parts of a file's STAGES page: a row for each stage of the
// stage table (its short name, CLEAR when cleared, its best time and best
// gems, "-" for none, out of the gems the stage places), then WATCH BEST RUN and BACK. The stages that cannot
// be played yet are shown dim and never reached. ButtonA on a stage plays
// it, on BACK leaves; ButtonB leaves. WATCH BEST RUN (dim while the file
// keeps no run) shows the stages again with their kept runs: the time of
// each, STAGE CHANGED for one made on another version of its stage file
// (dim, as the stages without one), and ButtonA watches one; BACK and
// ButtonB go back to the stages.
class StagesPage {
public:
    // What one step did.
    struct Step {
        int32_t play = -1;   // the row of the stage chosen, or -1
        int32_t watch = -1;  // the row of the stage whose run is chosen, or -1
        bool leave = false;
    };

    // The rows of `file`, the cursor on `stageRow` when it can be played and
    // on the file's stage otherwise; the actions in `heldBack` do nothing
    // until released. `runs`: what the file keeps of each stage's best run;
    // `gemTotals`: the gems each stage places (0, or none: no total shown).
    void Open(const SaveFileEntry& file, int32_t stageRow, uint32_t heldBack, const std::vector<KeptRun>& runs = {},
              const std::vector<int32_t>& gemTotals = {});
    Step Update(uint32_t held);
    const SaveFileEntry& File() const { return file_; }
    // Whether the page lists the kept runs (after WATCH BEST RUN).
    bool ListsRuns() const { return listsRuns_; }
    KeptRun Run(size_t stageRow) const { return stageRow < runs_.size() ? runs_[stageRow] : KeptRun::None; }
    // The gems the stage places, 0 when not known.
    int32_t GemTotal(size_t stageRow) const { return stageRow < gemTotals_.size() ? gemTotals_[stageRow] : 0; }

    ListPage list;

private:
    void ShowStages(int32_t cursor, uint32_t heldBack);
    void ShowRuns(uint32_t heldBack);

    SaveFileEntry file_;
    std::vector<KeptRun> runs_;
    std::vector<int32_t> gemTotals_;
    bool listsRuns_ = false;
};
