#include "screens/PauseMenu.h"
#include "base/SharedConstants.h"
#include "platform/Input.h"

namespace {
constexpr PauseMenu::Choice kChoices[] = {PauseMenu::Choice::Resume, PauseMenu::Choice::Restart,
                                          PauseMenu::Choice::Options, PauseMenu::Choice::Quit,
                                          PauseMenu::Choice::EndGame};
constexpr int32_t kBoxWidth = 136;
constexpr int32_t kBoxHeight = 108;
constexpr int32_t kBoxTop = (kScreenHeight - kBoxHeight) / 2;
constexpr ListLayout kLayout{ListLayout::StageBox, "PAUSED", kBoxTop, kBoxHeight, kBoxWidth, kBoxTop + 26, 16};
}

void PauseMenu::Open(uint32_t held) {
    open_ = true;
    list_.rows = {{"RESUME"}, {"RESTART STAGE"}, {"OPTIONS"}, {"QUIT TO MENU"}, {"QUIT GAME"}};
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
    if (open_) pictures_.Draw(list_, kLayout);
}
