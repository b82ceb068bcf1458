#pragma once
#include <cstdint>

// The fixed step rhythm: a step is due once 16 ms have passed since the start
// of the pass that ran the last step. The difference is unsigned, so the
// wrap of the millisecond counter at 2^32 does not stop the steps, and time
// beyond 16 ms is lost rather than caught up.
class StepPacer {
public:
    static constexpr uint32_t kStepMs = 16;

    explicit StepPacer(uint32_t start) : last_(start) {}
    bool Due(uint32_t now) const { return uint32_t(now - last_) >= kStepMs; }
    void StepRan(uint32_t passStart) { last_ = passStart; }
    // How long a pass may sleep before the next step is due.
    uint32_t MsUntilDue(uint32_t now) const {
        uint32_t elapsed = now - last_;
        return elapsed >= kStepMs ? 0 : kStepMs - elapsed;
    }

private:
    uint32_t last_;
};
