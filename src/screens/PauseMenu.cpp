#include "screens/PauseMenu.h"
#include "base/SharedConstants.h"
#include "platform/Input.h"
#include "platform/Renderer.h"
#include "screens/Main_Menu.h"
#include <cstring>

namespace {
constexpr const char* kWords[PauseMenu::kEntries] = {"RESUME", "RESTART STAGE", "OPTIONS", "QUIT TO MENU"};
constexpr PauseMenu::Choice kChoices[PauseMenu::kEntries] = {PauseMenu::Choice::Resume, PauseMenu::Choice::Restart,
                                                             PauseMenu::Choice::Options, PauseMenu::Choice::Quit};
constexpr int32_t kLineHeight = 16;
constexpr float kBoxWidth = 136.0f;
constexpr float kBoxHeight = 92.0f;
constexpr float kBoxLeft = (kScreenWidth - kBoxWidth) / 2.0f;
constexpr float kBoxTop = (kScreenHeight - kBoxHeight) / 2.0f;
constexpr Color kBoxEdge = Color::FromBytes(0xC8, 0x8C, 0x3C, 0xFF);
constexpr Color kBoxFill = Color::FromBytes(0x16, 0x0E, 0x1A, 0xFF);
}

void PauseMenu::Open(uint32_t held) {
    open_ = true;
    cursor_ = 0;
    lastHeld_ = held;
    font_.emplace("sprites\\DH3font1.png", Colors::White, 8, 8, 121);
}

// The press that closed the menu belongs to it, as one that changes the
// screen does: its buttons wait for their release; directions go on.
void PauseMenu::Close() {
    open_ = false;
    font_.reset();
    TheInput().HoldBackButtons();
}

PauseMenu::Choice PauseMenu::Update(uint32_t held, uint32_t commands) {
    const uint32_t pressed = held & ~lastHeld_;
    lastHeld_ = held;
    if ((commands & PauseGame) || (pressed & ButtonB)) return Choice::Resume;
    if (pressed & ButtonA) return kChoices[cursor_];
    if (pressed & Down) cursor_ = (cursor_ + 1) % kEntries;
    if (pressed & Up) cursor_ = (cursor_ + kEntries - 1) % kEntries;
    return Choice::None;
}

void PauseMenu::Draw() const {
    if (!open_) return;
    FillRect(kBoxLeft - 1.0f, kBoxTop - 1.0f, kBoxWidth + 2.0f, kBoxHeight + 2.0f, kBoxEdge);
    FillRect(kBoxLeft, kBoxTop, kBoxWidth, kBoxHeight, kBoxFill);
    DrawMenuWord(*font_, "PAUSED", (kScreenWidth - 6 * 8) / 2, int32_t(kBoxTop) + 8, false);
    for (int32_t i = 0; i < kEntries; ++i) {
        const int32_t width = int32_t(std::strlen(kWords[i])) * 8;
        DrawMenuWord(*font_, kWords[i], (kScreenWidth - width) / 2, int32_t(kBoxTop) + 26 + i * kLineHeight,
                     i == cursor_);
    }
}
