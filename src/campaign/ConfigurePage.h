#pragma once
#include "campaign/Settings.h"
#include "platform/Input.h"
#include <cstdint>

// The moving parts of the CONFIGURE page: a row for each bound action, then
// RESET TO DEFAULTS and BACK. Up and Down move the cursor; ButtonA on an
// action's row waits for the next key or joystick control pressed and binds
// it there, unless that would leave no way to confirm or go back; ButtonB
// leaves. Kept apart from the pictures so that it can be driven without a
// window.
class ConfigurePage {
public:
    static constexpr int32_t kResetRow = SettingValues::kBoundActions;
    static constexpr int32_t kBackRow = kResetRow + 1;
    static constexpr int32_t kRowCount = kBackRow + 1;

    // What one step did.
    struct Step {
        bool changed = false;  // a binding changed
        bool leave = false;
    };

    void Reset() { *this = ConfigurePage(); }
    Step Update(Input& input, SettingValues& values);

    int32_t cursor = 0;
    int32_t inputDelay = 0;
    bool waiting = false;  // for the control of the row under the cursor
    bool refused = false;  // the last control pressed was refused

private:
    Step TakeControl(Input& input, SettingValues& values);
};
