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

// The time, padded to the gems' column, then the gems.
std::string Bests(const SaveFileEntry& file, size_t stageRow) {
    constexpr size_t kTimeLetters = 9;
    const int32_t steps = BestSteps(file, stageRow), gems = BestGems(file, stageRow);
    std::string time = OrDash(steps, StepsAsTime(steps));
    time.resize(std::max(time.size(), kTimeLetters), ' ');
    return time + OrDash(gems, std::to_string(gems));
}
}

bool StageCleared(const SaveFileEntry& file, size_t stageRow) {
    const int32_t current = CurrentRow(file);
    const bool passed =
        current >= 0 && (int32_t(stageRow) < current || (int32_t(stageRow) == current && FileFinished(file)));
    return passed || BestSteps(file, stageRow) > 0;
}

bool StagePlayable(const SaveFileEntry& file, size_t stageRow) { return int32_t(stageRow) <= CurrentRow(file); }

void StagesPage::Open(const SaveFileEntry& file, int32_t stageRow, uint32_t heldBack) {
    file_ = file;
    list = ListPage();
    for (size_t row = 0; row < StageRowCount(); ++row) {
        ListPage::Row shown(StageRows()[row].shortName);
        shown.value = StageCleared(file, row) ? "CLEAR" : "-";
        shown.second = Bests(file, row);
        shown.disabled = !StagePlayable(file, row);
        list.rows.push_back(shown);
    }
    list.rows.push_back({"BACK"});
    const bool playable = stageRow >= 0 && size_t(stageRow) < StageRowCount() && StagePlayable(file, size_t(stageRow));
    const int32_t current = CurrentRow(file);
    list.Open(playable ? stageRow : current >= 0 ? current : int32_t(StageRowCount()), heldBack);
}

StagesPage::Step StagesPage::Update(uint32_t held) {
    Step step;
    const ListPage::Step moved = list.Update(held);
    if (moved.leave || moved.row == int32_t(StageRowCount())) step.leave = true;
    else if (moved.row >= 0) step.play = moved.row;
    return step;
}
