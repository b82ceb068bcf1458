#include "core/FrameLoop.h"
#include "core/StepPacer.h"

namespace {
bool gQuit = false;
}

void RequestQuit() { gQuit = true; }
bool QuitRequested() { return gQuit; }

long RunFrameLoop(const FrameLoopHooks& hooks, const FrameLoopSettings& settings) {
    StepPacer pacer(hooks.ticks());
    long steps = 0;
    for (;;) {
        uint32_t now = hooks.ticks();
        if (!hooks.pollOneEvent()) break;
        if (hooks.stepMs) pacer.SetInterval(hooks.stepMs());
        if (settings.fast || pacer.Due(now)) {
            hooks.update();
            if (settings.keepBeat) pacer.StepRanOnBeat(now);
            else pacer.StepRan(now);
            hooks.draw();
            ++steps;
            if (settings.maxSteps > 0 && steps >= settings.maxSteps) break;
        } else if (hooks.queueWasEmpty()) {
            // Nothing to do until the next step is due: sleep instead of
            // spinning, so an idle game leaves the processor alone.
            hooks.sleep(pacer.MsUntilDue(now));
        }
    }
    return steps;
}
