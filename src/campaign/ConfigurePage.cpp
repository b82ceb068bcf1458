#include "campaign/ConfigurePage.h"
#include "campaign/Bindings.h"
#include "campaign/MenuNavigation.h"
#include <algorithm>

ConfigurePage::Step ConfigurePage::Update(Input& input, SettingValues& values) {
    if (waiting) return TakeControl(input, values);
    Step step;
    if (inputDelay > 0) --inputDelay;
    if (inputDelay != 0) return step;
    const uint32_t held = input.held;
    if (held & (Down | Up)) {
        inputDelay = MenuNavigation::kMoveDelay;
        cursor = std::clamp(cursor + ((held & Down) ? 1 : -1), 0, kBackRow);
        refused = false;
    } else if (held & ButtonA) {
        inputDelay = MenuNavigation::kButtonDelay;
        refused = false;
        if (cursor == kBackRow) step.leave = true;
        else if (cursor == kResetRow) {
            ResetBindings(input, values);
            step.changed = true;
        } else waiting = true;
    } else if (held & ButtonB) {
        inputDelay = MenuNavigation::kButtonDelay;
        step.leave = true;
    }
    return step;
}

// The control pressed goes to the row; what it held before is let go, so
// that neither its old action nor its new one acts until it is pressed again.
ConfigurePage::Step ConfigurePage::TakeControl(Input& input, SettingValues& values) {
    Step step;
    if (!input.pressed) return step;
    waiting = false;
    refused = !Rebind(cursor, *input.pressed, input, values);
    step.changed = !refused;
    input.ReleaseAll();
    inputDelay = MenuNavigation::kButtonDelay;
    return step;
}
