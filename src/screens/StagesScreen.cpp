#include "screens/StagesScreen.h"
#include "campaign/StageTable.h"
#include "core/StateStack.h"
#include "platform/Input.h"
#include "platform/Sound.h"
#include "screens/Main_Menu.h"

namespace {
StagesScreen gScreen;

// Ten stages and BACK, 15 pixels apart, under a line naming the columns:
// CLEAR, then the best time and the best gems.
constexpr int32_t kMarkX = 112;
constexpr int32_t kTimeX = 168;
constexpr int32_t kGemsX = kTimeX + 9 * MenuText::kLetterWidth;
constexpr ListLayout kLayout{ListLayout::MenuPage, "STAGES", 40, 190, 0, 60, 15, kMarkX, kTimeX, 12};
constexpr int32_t kHeadingY = 46;
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
    page_.Open(TheMainMenu().Files().files[file_], openRow_, TheInput().held);
}

void StagesScreen::Leave() { pictures_.Release(); }

void StagesScreen::Update(float) {
    UpdateSoundSystem();
    const StagesPage::Step step = page_.Update(TheInput().held);
    if (step.play >= 0) Play(step.play);
    else if (step.leave) TheStateStack().PopState();
}

// Back on the menu, which then leaves for the stage.
void StagesScreen::Play(int32_t stageRow) {
    const bool replay = StageCleared(page_.File(), size_t(stageRow));
    TheStateStack().PopState();
    TheMainMenu().StartStage(file_, StageRows()[stageRow].stage, replay ? stageRow : -1);
}

void StagesScreen::Draw() {
    pictures_.Draw(page_.list, kLayout);
    const MenuText& text = pictures_.Text();
    text.Draw("TIME", kTimeX, kHeadingY, false);
    text.Draw("GEMS", kGemsX, kHeadingY, false);
}
