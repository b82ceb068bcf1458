#pragma once
#include <cstdint>

// How every menu page paces held buttons: after a move (an arrow) the next
// action waits 10 steps, after a button 15, so that a held arrow repeats
// steadily and a press is taken once.
class InputPacer {
public:
    static constexpr int32_t kMoveDelay = 10;
    static constexpr int32_t kButtonDelay = 15;

    // One step of the delay; true when the held actions may act in it.
    bool Ready() {
        if (delay > 0) --delay;
        return delay == 0;
    }
    void Moved() { delay = kMoveDelay; }
    void Pressed() { delay = kButtonDelay; }

    int32_t delay = 0;
};
