#include "screens/StageTitle.h"

namespace {
constexpr int32_t kTop = 56;
}

void StageTitle::Show(const char* name, bool untilMoved) {
    Release();
    if (!name) return;
    text_.Load();
    name_ = name;
    untilMoved_ = untilMoved;
    stepsLeft_ = untilMoved ? kUntilMovedSteps : kShownSteps;
}

void StageTitle::Step(const std::optional<Vector3>& hero) {
    if (!name_) return;
    if (untilMoved_ && hero && !heroStart_) heroStart_ = hero;
    const bool moved = untilMoved_ && hero && heroStart_ && (hero->x != heroStart_->x || hero->y != heroStart_->y);
    if (--stepsLeft_ <= 0 || moved) Release();
}

void StageTitle::Draw() const {
    if (!name_) return;
    text_.DrawCentred(name_, kTop, true);
}

void StageTitle::Release() {
    text_.Release();
    name_ = nullptr;
    stepsLeft_ = 0;
    heroStart_.reset();
}
