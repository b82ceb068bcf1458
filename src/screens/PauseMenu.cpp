#include "screens/PauseMenu.h"
#include "base/SharedConstants.h"
#include "platform/Input.h"

namespace {
constexpr PauseMenu::Choice kChoices[] = {PauseMenu::Choice::Resume,  PauseMenu::Choice::Restart,
                                          PauseMenu::Choice::Options, PauseMenu::Choice::Skip,
                                          PauseMenu::Choice::Quit,    PauseMenu::Choice::EndGame};
constexpr int32_t kBoxWidth = 136;
constexpr int32_t kRowPitch = 16;

// The box grows by a row while SKIP STAGE shows, and stays in the middle.
ListLayout Layout(bool skips) {
    const int32_t height = 108 + (skips ? kRowPitch : 0);
    const int32_t top = (kScreenHeight - height) / 2;
    return {ListLayout::StageBox, "PAUSED", top, height, kBoxWidth, top + 26, kRowPitch};
}
}

void PauseMenu::Open(uint32_t held, bool skips) {
    open_ = true;
    skips_ = skips;
    list_.rows = {{"RESUME"}, {"RESTART STAGE"}, {"OPTIONS"}, {"SKIP STAGE"}, {"QUIT TO MENU"}, {"QUIT GAME"}};
    list_.rows[kSkipRow].question = "SKIP THIS STAGE?";
    list_.rows[kSkipRow].hidden = !skips;
    list_.rows.back().question = "QUIT THE GAME?";
    list_.Open(0, held);
    pictures_.Load(ListLayout::StageBox);
}

// The press that closed the menu belongs to it, as one that changes the
// screen does: its buttons wait for their release; directions go on.
void PauseMenu::Close() {
    open_ = false;
    pictures_.Release();
    TheInput().HoldBackButtons();
}

PauseMenu::Choice PauseMenu::Update(uint32_t held, uint32_t commands) {
    if (commands & (PauseGame | EscapeKey)) return Choice::Resume;
    const ListPage::Step step = list_.Update(held);
    if (step.leave) return Choice::Resume;
    return step.row >= 0 ? kChoices[step.row] : Choice::None;
}

void PauseMenu::Draw() {
    if (open_) pictures_.Draw(list_, Layout(skips_));
}
