#include "GameRuns.h"
#include "ChildProcess.h"
#include "TraceTimes.h"
#include <cmath>
#include <unistd.h>

namespace {
// Steps come at least 16 ms apart.
constexpr double kStepSeconds = 0.016;
}

std::vector<std::string> GameRuns::Command(bool reference, long steps) const {
    std::vector<std::string> command = {
        binary_, "--data", dataDir_, "--window", "960x720", "--steps", std::to_string(steps), "--trace", Trace()};
    if (reference) command.push_back("--reference");
    return command;
}

bool GameRuns::FrameTimes(const std::string& level, const std::string& movie, long steps, bool reference,
                          std::vector<double>& frameMs) const {
    // Each trace line tells of the step before it: one step more gives
    // `steps` figures.
    std::vector<std::string> command = Command(reference, steps + 1);
    command.insert(command.end(), {"--level", level, "--fast", "--replay", movie});
    TraceTimes times;
    if (!RunChild(command, Log()) || !ReadTraceTimes(Trace(), times)) return false;
    frameMs = times.frameMs;
    return true;
}

bool GameRuns::FirstFrameMs(bool reference, double& ms) const {
    double start = MonotonicMs();
    TraceTimes times;
    if (!RunChild(Command(reference, 2), Log()) || !ReadTraceTimes(Trace(), times)) return false;
    ms = times.firstFrameShownMs - start;
    return true;
}

bool GameRuns::IdleCpuPercent(bool reference, double settleSeconds, double seconds, double& percent) const {
    // The game ends by itself, a little after the measurement.
    long steps = long(std::ceil((settleSeconds + seconds + 0.5) / kStepSeconds));
    pid_t pid = StartChild(Command(reference, steps), Log());
    if (pid < 0) return false;
    usleep(useconds_t(settleSeconds * 1e6));
    double before = ChildCpuSeconds(pid);
    double start = MonotonicMs();
    usleep(useconds_t(seconds * 1e6));
    double after = ChildCpuSeconds(pid);
    double elapsed = (MonotonicMs() - start) / 1e3;
    bool ended = WaitChild(pid) == 0;
    percent = 100.0 * (after - before) / elapsed;
    return ended && before >= 0 && after >= 0;
}
