#pragma once
#include <cstdint>

// The fixed step rhythm: a step is due once its interval (16 ms, longer at a
// slower game speed) has passed since the start of the pass that ran the
// last step. The difference is unsigned, so the wrap of the millisecond
// counter at 2^32 does not stop the steps, and time beyond the interval is
// lost rather than caught up.
class StepPacer {
public:
    static constexpr uint32_t kStepMs = 16;

    // The interval of a step at `percent` of the game's speed, to the nearest millisecond.
    static constexpr uint32_t IntervalAt(int32_t percent) {
        return percent <= 0 ? kStepMs : (kStepMs * 100 + uint32_t(percent) / 2) / uint32_t(percent);
    }

    explicit StepPacer(uint32_t start) : last_(start) {}
    void SetInterval(uint32_t ms) { interval_ = ms; }
    bool Due(uint32_t now) const { return uint32_t(now - last_) >= interval_; }
    void StepRan(uint32_t passStart) { last_ = passStart; }
    // For a clock whose sleeps wake late, as a browser's timers do by up to
    // 4 ms: a step that ran late by less than an interval keeps the beat,
    // the next one being due an interval after this one was; a longer stall
    // still gives one step and a full interval's wait.
    void StepRanOnBeat(uint32_t passStart) {
        last_ = uint32_t(passStart - last_) < 2 * interval_ ? last_ + interval_ : passStart;
    }
    // How long a pass may sleep before the next step is due.
    uint32_t MsUntilDue(uint32_t now) const {
        uint32_t elapsed = now - last_;
        return elapsed >= interval_ ? 0 : interval_ - elapsed;
    }

private:
    uint32_t last_;
    uint32_t interval_ = kStepMs;
};
