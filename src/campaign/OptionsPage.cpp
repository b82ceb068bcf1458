#include "campaign/OptionsPage.h"
#include "campaign/MenuNavigation.h"
#include "platform/Input.h"
#include <algorithm>

namespace {
// Moves `value` by `direction` within low..high; past an end it stays, or
// comes round to the other end when `wrap` is set.
bool StepWithin(int32_t& value, int32_t direction, int32_t low, int32_t high, bool wrap) {
    int32_t next = value + direction;
    if (wrap && next > high) next = low;
    next = std::clamp(next, low, high);
    if (next == value) return false;
    value = next;
    return true;
}
}

OptionsPage::Step OptionsPage::Update(uint32_t held, SettingValues& values) {
    Step step;
    if (inputDelay > 0) --inputDelay;
    if (inputDelay != 0) return step;
    if (held & (Down | Up)) {
        inputDelay = MenuNavigation::kMoveDelay;
        cursor = std::clamp(cursor + ((held & Down) ? 1 : -1), int32_t(Music), int32_t(Back));
    } else if (held & (Left | Right)) {
        inputDelay = MenuNavigation::kMoveDelay;
        if (StepValue((held & Right) ? 1 : -1, false, values)) step.changed = cursor;
    } else if (held & ButtonA) {
        inputDelay = MenuNavigation::kButtonDelay;
        const bool volume = cursor == Music || cursor == Effects;
        if (cursor == Back) step.leave = true;
        else if (!volume && StepValue(1, true, values)) step.changed = cursor;
    } else if (held & ButtonB) {
        inputDelay = MenuNavigation::kButtonDelay;
        step.leave = true;
    }
    return step;
}

bool OptionsPage::StepValue(int32_t direction, bool wrap, SettingValues& values) const {
    switch (cursor) {
    case Music: return StepWithin(values.musicVolume, direction, 0, SettingValues::kMaxVolume, wrap);
    case Effects: return StepWithin(values.effectsVolume, direction, 0, SettingValues::kMaxVolume, wrap);
    case WindowSize: return StepWithin(values.windowSize, direction, 1, SettingValues::kFitWindow, wrap);
    case Fullscreen: values.fullscreen = !values.fullscreen; return true;
    case Outlines: values.outlines = !values.outlines; return true;
    case Console: values.console = !values.console; return true;
    default: return false;
    }
}
