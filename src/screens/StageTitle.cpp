#include "screens/StageTitle.h"

namespace {
constexpr int32_t kTop = 56;
}

void StageTitle::Show(const char* name) {
    Release();
    if (!name) return;
    text_.Load();
    name_ = name;
    stepsLeft_ = kShownSteps;
}

void StageTitle::Step() {
    if (name_ && --stepsLeft_ <= 0) Release();
}

void StageTitle::Draw() const {
    if (!name_) return;
    text_.DrawCentred(name_, kTop, true);
}

void StageTitle::Release() {
    text_.Release();
    name_ = nullptr;
    stepsLeft_ = 0;
}
