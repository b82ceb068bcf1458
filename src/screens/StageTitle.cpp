#include "screens/StageTitle.h"
#include "screens/Main_Menu.h"
#include "base/SharedConstants.h"
#include <cstring>

namespace {
constexpr int32_t kTop = 56;
constexpr int32_t kLetterWidth = 8;
}

void StageTitle::Show(const char* name) {
    Release();
    if (!name) return;
    font_.emplace("sprites\\DH3font1.png", Colors::White, 8, 8, 121);
    name_ = name;
    stepsLeft_ = kShownSteps;
}

void StageTitle::Step() {
    if (name_ && --stepsLeft_ <= 0) Release();
}

void StageTitle::Draw() const {
    if (!name_) return;
    const int32_t width = int32_t(strlen(name_)) * kLetterWidth;
    DrawMenuWord(*font_, name_, (kScreenWidth - width) / 2, kTop, true);
}

void StageTitle::Release() {
    font_.reset();
    name_ = nullptr;
    stepsLeft_ = 0;
}
