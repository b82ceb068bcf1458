#include "WindowTimings.h"
#include "ChildProcess.h"
#include "Percentiles.h"
#include "core/EntityManager.h"
#include "platform/DataDir.h"
#include "platform/FrameTarget.h"
#include "platform/Renderer.h"
#include "platform/Sound.h"
#include "platform/Window.h"
#include "world/Level.h"
#include <GL/gl.h>
#include <algorithm>
#include <functional>
#include <vector>

namespace {
// Loads the level into a manager of its own, as the stage screen does, and
// hands it to `use` before the manager releases everything.
template <typename Use>
void WithLevel(const std::string& name, Use use) {
    EntityManager entities;
    auto owned = std::make_unique<LevelNamespace::Level>();
    auto* level = owned.get();
    entities.Add(std::move(owned));
    level->Load(name.c_str());
    use(*level);
    entities.Clear();
}

template <typename Work>
double MedianMs(int repeats, Work work) {
    std::vector<double> ms;
    for (int i = 0; i < repeats; ++i) {
        double start = MonotonicMs();
        work();
        ms.push_back(MonotonicMs() - start);
    }
    return Median(ms);
}

size_t CellsWithPicture(const LevelNamespace::Grid& grid, const std::function<bool(int32_t)>& hasPicture) {
    size_t count = 0;
    for (const std::vector<int32_t>& column : grid)
        count += size_t(std::count_if(column.begin(), column.end(), hasPicture));
    return count;
}
}

bool OpenBenchWindow(const std::string& dataDir, std::string& error) {
    if (!StartSdl() || !InitRenderer(320, 240, 960, 720, false)) {
        error = "no GL window at 960x720";
        return false;
    }
    InitSoundSystem();
    return EnterDataDir(dataDir, error);
}

void CloseBenchWindow() { StopSdl(); }

double LevelLoadMs(const std::string& level, int repeats) {
    return MedianMs(repeats, [&] { WithLevel(level, [](LevelNamespace::Level&) {}); });
}

LevelCounts CountLevel(const std::string& level) {
    LevelCounts counts;
    WithLevel(level, [&](LevelNamespace::Level& loaded) {
        counts.rectangles = loaded.rectangles.size();
        counts.layers = loaded.backgrounds.size();
        const auto& definitions = loaded.tileDefinitions;
        counts.cells = CellsWithPicture(loaded.mainGrid, [&](int32_t cell) {
            return cell >= 0 && size_t(cell) < definitions.size() && definitions[size_t(cell)].picture >= 0;
        });
        auto isPicture = [](int32_t cell) { return cell >= 0; };
        counts.cells += CellsWithPicture(loaded.middleGrid, isPicture) + CellsWithPicture(loaded.backGrid, isPicture);
    });
    return counts;
}

double ShowOneBareFrame() {
    if (!StartSdl() || !InitRenderer(320, 240, 960, 720, false)) return -1;
    ClearScreen();
    SwapScreen();
    double shown = MonotonicMs();
    StopSdl();
    return shown;
}

double ClearSwapMs(int repeats) {
    return MedianMs(repeats, [] {
        ClearScreen();
        SwapScreen();
        glFinish();
    });
}

double ScaledUpSwapMs(int repeats, PictureLayout layout) {
    UsePictureLayout(layout);
    return MedianMs(repeats, [] {
        BeginFrame();
        EndFrame(true);
        SwapScreen();
        glFinish();
    });
}
