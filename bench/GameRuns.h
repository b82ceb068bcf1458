#pragma once
#include <string>
#include <vector>

// Runs of the real game binary at 960 by 720 on the bench's data, each
// either on the game's own paths or with --reference (the plain paths:
// exhaustive collision pass, every cell drawn, full-size drawing straight
// into the window every step, a frame loop that spins).
class GameRuns {
public:
    GameRuns(std::string binary, std::string dataDir, std::string workDir)
        : binary_(std::move(binary)), dataDir_(std::move(dataDir)), workDir_(std::move(workDir)) {}

    // The whole pass (update, draw, swap) of each of `steps` steps of the
    // level with the movie replayed, back to back (--fast), in ms.
    bool FrameTimes(const std::string& level, const std::string& movie, long steps, bool reference,
                    std::vector<double>& frameMs) const;

    // From just before the program starts (title screen, steps at their
    // normal pace) to the moment its first picture is shown, in ms.
    bool FirstFrameMs(bool reference, double& ms) const;

    // The processor time of the title screen standing still, after a
    // `settleSeconds` wait for its fade-in, over `seconds`, as a percentage
    // of one core.
    bool IdleCpuPercent(bool reference, double settleSeconds, double seconds, double& percent) const;

private:
    std::vector<std::string> Command(bool reference, long steps) const;
    std::string Trace() const { return workDir_ + "/trace.jsonl"; }
    std::string Log() const { return workDir_ + "/game.log"; }

    std::string binary_, dataDir_, workDir_;
};
