#pragma once
#include "campaign/Settings.h"
#include <cstdint>

// The moving parts of the options page: the row under the cursor and the
// input delay, which paces held buttons as the main menu does. Up and Down
// move the cursor; Left and Right step the row's value (a switch flips);
// ButtonA flips a switch, steps the window size round and leaves on BACK;
// ButtonB leaves. Kept apart from the pictures so that it can be driven
// without a window.
class OptionsPage {
public:
    enum Row : int32_t { Music, Effects, Fullscreen, WindowSize, Outlines, Console, Back, kRowCount };

    // What one step did.
    struct Step {
        int32_t changed = -1;  // the row whose value changed, or -1
        bool leave = false;
    };

    void Reset() { *this = OptionsPage(); }
    Step Update(uint32_t held, SettingValues& values);

    int32_t cursor = Music;
    int32_t inputDelay = 0;

private:
    // True when the value changed.
    bool StepValue(int32_t direction, bool wrap, SettingValues& values) const;
};
