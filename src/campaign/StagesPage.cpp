#include "campaign/StagesPage.h"
#include "campaign/StageTable.h"
#include <algorithm>
#include <string>

namespace {
// The file's stage by its row of the stage table; -1 for a stage the table
// does not have.
int32_t CurrentRow(const SaveFileEntry& file) {
    const StageRow* row = FindStage(file.stage);
    return row ? int32_t(row - StageRows()) : -1;
}

std::string OrDash(int32_t value, const std::string& text) { return value > 0 ? text : "-"; }

// The time, padded to the gems' column, then the gems out of the stage's
// total ("3/5", "-/5"), as the HUD counts them.
std::string Bests(const SaveFileEntry& file, size_t stageRow, int32_t gemTotal) {
    constexpr size_t kTimeLetters = 9;
    const int32_t steps = BestSteps(file, stageRow), gems = BestGems(file, stageRow);
    std::string time = OrDash(steps, StepsAsTime(steps));
    time.resize(std::max(time.size(), kTimeLetters), ' ');
    return time + OrDash(gems, std::to_string(gems)) + (gemTotal > 0 ? "/" + std::to_string(gemTotal) : "");
}
}

bool StageCleared(const SaveFileEntry& file, size_t stageRow) {
    const int32_t current = CurrentRow(file);
    const bool passed =
        current >= 0 && (int32_t(stageRow) < current || (int32_t(stageRow) == current && FileFinished(file)));
    return passed || BestSteps(file, stageRow) > 0;
}

bool StagePlayable(const SaveFileEntry& file, size_t stageRow) { return int32_t(stageRow) <= CurrentRow(file); }

void StagesPage::Open(const SaveFileEntry& file, int32_t stageRow, uint32_t heldBack, const std::vector<KeptRun>& runs,
                      const std::vector<int32_t>& gemTotals) {
    file_ = file;
    runs_ = runs;
    gemTotals_ = gemTotals;
    const bool playable = stageRow >= 0 && size_t(stageRow) < StageRowCount() && StagePlayable(file, size_t(stageRow));
    const int32_t current = CurrentRow(file);
    ShowStages(playable ? stageRow : current >= 0 ? current : int32_t(StageRowCount()) + 1, heldBack);
}

void StagesPage::ShowStages(int32_t cursor, uint32_t heldBack) {
    listsRuns_ = false;
    list = ListPage();
    for (size_t row = 0; row < StageRowCount(); ++row) {
        ListPage::Row shown(StageRows()[row].shortName);
        shown.value = StageCleared(file_, row) ? "CLEAR" : "-";
        shown.second = Bests(file_, row, GemTotal(row));
        shown.disabled = !StagePlayable(file_, row);
        list.rows.push_back(shown);
    }
    ListPage::Row watch("WATCH BEST RUN");
    watch.disabled = std::count(runs_.begin(), runs_.end(), KeptRun::None) == long(runs_.size());
    list.rows.push_back(watch);
    list.rows.push_back({"BACK"});
    list.Open(cursor, heldBack);
}

// The cursor on the first run that can be watched.
void StagesPage::ShowRuns(uint32_t heldBack) {
    listsRuns_ = true;
    list = ListPage();
    int32_t first = -1;
    for (size_t row = 0; row < StageRowCount(); ++row) {
        ListPage::Row shown(StageRows()[row].shortName);
        const KeptRun run = Run(row);
        shown.second = run == KeptRun::Kept      ? StepsAsTime(BestSteps(file_, row))
                       : run == KeptRun::Changed ? "STAGE CHANGED"
                                                 : "-";
        shown.disabled = run != KeptRun::Kept;
        if (first < 0 && run == KeptRun::Kept) first = int32_t(row);
        list.rows.push_back(shown);
    }
    list.rows.push_back({"BACK"});
    list.Open(first >= 0 ? first : int32_t(StageRowCount()), heldBack);
}

StagesPage::Step StagesPage::Update(uint32_t held) {
    Step step;
    const ListPage::Step moved = list.Update(held);
    const int32_t watchRow = int32_t(StageRowCount()), backRow = int32_t(list.rows.size()) - 1;
    if ((moved.leave || moved.row == backRow) && listsRuns_) ShowStages(watchRow, held);
    else if (moved.leave || moved.row == backRow) step.leave = true;
    else if (moved.row == watchRow && !listsRuns_) ShowRuns(held);
    else if (moved.row >= 0) (listsRuns_ ? step.watch : step.play) = moved.row;
    return step;
}
