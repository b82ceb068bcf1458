#include "campaign/ConfigurePage.h"
#include "campaign/Bindings.h"

void ConfigurePage::Reset(const Input& input) {
    *this = ConfigurePage();
    for (const BoundAction& action : BoundActions()) list.rows.push_back({action.label});
    list.rows.push_back({"RESET TO DEFAULTS"});
    list.rows.push_back({"BACK"});
    Show(input);
}

ConfigurePage::Step ConfigurePage::Update(Input& input, SettingValues& values) {
    Step step;
    if (waiting) {
        step = TakeControl(input, values);
    } else {
        const ListPage::Step moved = list.Update(input.held);
        if (moved.moved || moved.row >= 0) refused = false;
        step.leave = moved.leave || moved.row == kBackRow;
        if (moved.row == kResetRow) {
            ResetBindings(input, values);
            step.changed = true;
        } else if (moved.row >= 0 && moved.row < kResetRow) {
            waiting = true;
        }
    }
    Show(input);
    return step;
}

// The control pressed goes to the row; what it held before is let go, so
// that neither its old action nor its new one acts until it is pressed again.
ConfigurePage::Step ConfigurePage::TakeControl(Input& input, SettingValues& values) {
    Step step;
    if (!input.pressed) return step;
    waiting = false;
    refused = !Rebind(list.cursor, *input.pressed, input, values);
    step.changed = !refused;
    input.ReleaseAll();
    list.pacer.Pressed();
    return step;
}

// The row waiting for a control says so instead of its controls.
void ConfigurePage::Show(const Input& input) {
    for (int32_t row = 0; row < kResetRow; ++row) {
        ListPage::Row& shown = list.rows[size_t(row)];
        const int32_t action = BoundActions()[size_t(row)].action;
        const bool asks = waiting && row == list.cursor;
        shown.value = asks ? "PRESS KEY OR BUTTON" : ControlsLabel(input, action, Binding::kKeyboard);
        shown.second = asks ? "" : ControlsLabel(input, action, Binding::kJoystick);
    }
}
