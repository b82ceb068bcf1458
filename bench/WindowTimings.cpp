#include "WindowTimings.h"
#include "ChildProcess.h"
#include "Percentiles.h"
#include "core/EntityManager.h"
#include "platform/DataDir.h"
#include "platform/Renderer.h"
#include "platform/Sound.h"
#include "platform/Window.h"
#include "world/Level.h"
#include <GL/gl.h>
#include <vector>

namespace {
// Loads the level into a manager of its own, as the stage screen does, and
// hands it to `use` before the manager releases everything.
template <typename Use>
void WithLevel(const std::string& name, Use use) {
    EntityManager entities;
    auto* level = new LevelNamespace::Level();
    entities.Add(level);
    level->Load(name.c_str());
    use(*level);
    entities.Clear();
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
    std::vector<double> ms;
    for (int i = 0; i < repeats; ++i) {
        double start = MonotonicMs();
        WithLevel(level, [](LevelNamespace::Level&) {});
        ms.push_back(MonotonicMs() - start);
    }
    return Median(ms);
}

void CountLevel(const std::string& level, size_t& rectangles, size_t& layers) {
    WithLevel(level, [&](LevelNamespace::Level& loaded) {
        rectangles = loaded.rectangles.size();
        layers = loaded.backgrounds.size();
    });
}

double ClearSwapMs(int repeats) {
    std::vector<double> ms;
    for (int i = 0; i < repeats; ++i) {
        double start = MonotonicMs();
        ClearScreen();
        SwapScreen();
        glFinish();
        ms.push_back(MonotonicMs() - start);
    }
    return Median(ms);
}
