#include "screens/StagesScreen.h"
#include "campaign/BestRunRecords.h"
#include "campaign/StageTable.h"
#include "core/StateStack.h"
#include "platform/Input.h"
#include "platform/Sound.h"
#include "screens/Main_Menu.h"
#include "things/ThingPlacement.h"
#include "world/LevelFile.h"
#include "world/Level.h"

namespace {
StagesScreen gScreen;

// Ten stages, WATCH BEST RUN and BACK, 14 pixels apart, under a line naming
// the columns: CLEAR, then the best time and the best gems; or the stages'
// best runs and BACK, under BEST RUNS.
constexpr int32_t kMarkX = 112;
constexpr int32_t kTimeX = 168;
constexpr int32_t kGemsX = kTimeX + 9 * MenuText::kLetterWidth;
constexpr ListLayout kLayout{ListLayout::MenuPage, "STAGES", 40, 190, 0, 60, 14, kMarkX, kTimeX, 12};
constexpr ListLayout kRunsLayout{ListLayout::MenuPage, "BEST RUNS", 40, 190, 0, 60, 14, kMarkX, kTimeX, 12};
constexpr int32_t kHeadingY = 46;

// What the file keeps of each stage's best run.
std::vector<KeptRun> KeptRuns(const SaveFileEntry& file) {
    std::vector<KeptRun> runs;
    for (size_t row = 0; row < StageRowCount(); ++row)
        runs.push_back(FindBestRun(FileIdentity(file), StageRows()[row].levelName));
    return runs;
}

// The gems each stage places, as its play counts them; 0 for a level file
// that does not read, which is said when it is played.
std::vector<int32_t> GemTotals() {
    std::vector<int32_t> totals;
    for (size_t row = 0; row < StageRowCount(); ++row) {
        LevelFile::LevelData data;
        std::string why;
        std::vector<std::string> problems;
        const bool read = LevelFile::ReadLevelFile(LevelNamespace::LevelGamePath(StageRows()[row].levelName), data, why,
                                                   LevelFile::Trailing::Drop);
        totals.push_back(read ? GemTotal(FindThings(data, problems)) : 0);
    }
    return totals;
}
}
GameState* const gStagesScreen = &gScreen;

StagesScreen& TheStagesScreen() { return gScreen; }

void StagesScreen::Show(int32_t file, int32_t stageRow) {
    file_ = file;
    openRow_ = stageRow;
    TheStateStack().PushState(gStagesScreen);
}

void StagesScreen::Enter() {
    pictures_.Load(ListLayout::MenuPage);
    const SaveFileEntry& file = TheMainMenu().Files().files[file_];
    page_.Open(file, openRow_, TheInput().held, KeptRuns(file), GemTotals());
}

void StagesScreen::Leave() { pictures_.Release(); }

void StagesScreen::Update(float) {
    UpdateSoundSystem();
    const StagesPage::Step step = page_.Update(TheInput().held);
    if (step.play >= 0) Play(step.play, false);
    else if (step.watch >= 0) Play(step.watch, true);
    else if (step.leave) TheStateStack().PopState();
}

// Back on the menu, which then leaves for the stage. A watched run comes
// back to the page as a replay does.
void StagesScreen::Play(int32_t stageRow, bool watch) {
    const bool replay = watch || StageCleared(page_.File(), size_t(stageRow));
    TheStateStack().PopState();
    TheMainMenu().StartStage(file_, StageRows()[stageRow].stage, replay ? stageRow : -1, watch);
}

void StagesScreen::Draw() {
    pictures_.Draw(page_.list, page_.ListsRuns() ? kRunsLayout : kLayout);
    const MenuText& text = pictures_.Text();
    text.Draw("TIME", kTimeX, kHeadingY, false);
    if (!page_.ListsRuns()) text.Draw("GEMS", kGemsX, kHeadingY, false);
}
