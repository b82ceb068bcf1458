#pragma once
#include "campaign/ListPage.h"
#include "campaign/Settings.h"
#include "platform/Input.h"
#include <cstdint>

// The moving parts of the CONFIGURE page: a row for each bound action, then
// RESET TO DEFAULTS and BACK. Up and Down move the cursor; ButtonA on an
// action's row waits for the next key or joystick control pressed and binds
// it there, unless that would leave no way to confirm or go back; ButtonB
// leaves. Each action's row shows every key and joystick control it has.
class ConfigurePage {
public:
    static constexpr int32_t kResetRow = SettingValues::kBoundActions;
    static constexpr int32_t kBackRow = kResetRow + 1;

    // What one step did.
    struct Step {
        bool changed = false;  // a binding changed
        bool leave = false;
    };

    // The cursor on the first row, the input's bindings shown.
    void Reset(const Input& input);
    Step Update(Input& input, SettingValues& values);

    ListPage list;
    bool waiting = false;  // for the control of the row under the cursor
    bool refused = false;  // the last control pressed was refused

private:
    Step TakeControl(Input& input, SettingValues& values);
    void Show(const Input& input);
};
