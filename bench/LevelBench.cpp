// Measures, on the largest level (three full 100 by 100 grids, every main
// cell with both collision flags, eight background layers):
//   - the collision pass with the hero's nine looking shapes, indexed and
//     exhaustive;
//   - one level draw, culled and with every cell, at 320x240 and 960x720;
//   - on a play stage with 200 things, the things' updates of one step and
//     the collision pass with and without them.
// Prints every figure and the speed-up of each pair.
#include "collision/Collision.h"
#include "platform/PngWrite.h"
#include "platform/Renderer.h"
#include "platform/Window.h"
#include "ThingCrowd.h"
#include "player/Player.h"
#include "textlevel/TextLevel.h"
#include "world/Camera.h"
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kCells = 100;
constexpr int kBackgroundLayers = 8;
const Color kWhiteKey(0xFFFFFFFFu);

void WritePicture(const std::string& path, int width, int height, int seed) {
    std::vector<unsigned char> rgba;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rgba.insert(rgba.end(), {uint8_t(x * 5 + seed * 40), uint8_t(y * 3 + seed), uint8_t(90 + seed * 20), 255});
    std::string error;
    if (!WritePngRgba(path, width, height, rgba, error)) fprintf(stderr, "%s\n", error.c_str());
}

// Pictures for the tiles, the backgrounds and the hero's four sheets, in a
// fresh folder the bench then runs in.
std::string WritePictures() {
    char pattern[] = "/tmp/duskhold-bench-XXXXXX";
    std::string dir = mkdtemp(pattern) ? pattern : ".";
    mkdir((dir + "/sprites").c_str(), 0755);
    for (int i = 0; i < 3; ++i) WritePicture(dir + "/tile" + std::to_string(i) + ".png", 24, 24, i);
    for (int i = 0; i < kBackgroundLayers; ++i) WritePicture(dir + "/bg" + std::to_string(i) + ".png", 256, 128, i);
    WritePicture(dir + "/sprites/Aldric-Spriteset2.png", 510, 48, 1);
    for (const char* whip : {"WhipLeather2", "WhipChain2", "WhipRune2"})
        WritePicture(dir + "/sprites/" + whip + ".png", 384, 54, 2);
    WriteThingPictures(dir);
    return dir;
}

// The largest level: 20,000 tile rectangles, three full grids of pictures.
struct WorstLevel {
    LevelNamespace::Level level;
    std::unique_ptr<Player> hero;

    WorstLevel() {
        std::vector<std::string> rows(kCells, std::string(kCells, '%'));
        LevelNamespace::BuildTextLevel(level, rows);
        for (int i = 0; i < 3; ++i)
            level.tilePictures.emplace_back(("tile" + std::to_string(i) + ".png").c_str(), kWhiteKey, 24, 24);
        level.backGrid.assign(kCells, std::vector<int32_t>(kCells, 0));
        level.middleGrid.assign(kCells, std::vector<int32_t>(kCells, 1));
        for (int i = 0; i < kBackgroundLayers; ++i) {
            LevelNamespace::BackgroundLayer& layer = level.backgrounds.emplace_back();
            layer.y = 20 * i;
            layer.horizontalDivisor = i % 4;
            layer.verticalDivisor = i % 3;
            layer.repeatStep = 256;
            layer.picture = Sprite(("bg" + std::to_string(i) + ".png").c_str(), kWhiteKey, 256, 128, 512);
        }
        hero = std::make_unique<Player>();
        hero->position = Vector3(1210, 1200, 0);
        hero->PlaceShapes();
        TheCamera().MoveTo(Vector3(1050, 1080, 0));
    }
};

void Pass(benchmark::State& state, void (CollisionWorld::*pass)()) {
    for (auto _ : state) (TheCollisionWorld().*pass)();
}

void Draw(benchmark::State& state, LevelNamespace::Level& level, void (LevelNamespace::Level::*draw)()) {
    for (auto _ : state) {
        ClearScreen();
        (level.*draw)();
        glFinish();
    }
}

// The updates of a step, the pass before them untimed; without the things,
// the level's and the hero's alone.
void CrowdUpdate(benchmark::State& state, ThingCrowd& crowd, bool withThings) {
    if (!withThings) crowd.RemoveThings();
    for (auto _ : state) {
        state.PauseTiming();
        TheCollisionWorld().Update();
        state.ResumeTiming();
        crowd.UpdateStage();
    }
    if (!withThings) crowd.PlaceThings();
}

void CrowdPass(benchmark::State& state, ThingCrowd& crowd, bool withThings) {
    if (!withThings) crowd.RemoveThings();
    for (auto _ : state) TheCollisionWorld().Update();
    if (!withThings) crowd.PlaceThings();
}

// The floor under every draw figure: clearing and waiting for the renderer.
void ClearOnly(benchmark::State& state) {
    for (auto _ : state) {
        ClearScreen();
        glFinish();
    }
}

// Keeps each benchmark's time per iteration for the closing comparison.
class ComparingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.iterations == 0) continue;
            std::string name = run.benchmark_name();
            name = name.substr(0, name.find("/process_time"));
            times[name] = {run.real_accumulated_time / double(run.iterations),
                           run.cpu_accumulated_time / double(run.iterations)};
        }
    }
    // Wall-clock and CPU time per iteration of both, and how many times
    // longer the first takes by each.
    void Compare(const char* what, const std::string& plain, const std::string& ours, double unit, const char* unitName,
                 const char* plainName = "plain", const char* oursName = "ours") const {
        auto p = times.find(plain), o = times.find(ours);
        if (p == times.end() || o == times.end()) return;
        printf("%-20s real: %s %9.2f %s, %s %7.2f %s, %6.1fx   cpu: %s %9.2f %s, %s %7.2f %s, %6.1fx\n", what,
               plainName, p->second.real * unit, unitName, oursName, o->second.real * unit, unitName,
               p->second.real / o->second.real, plainName, p->second.cpu * unit, unitName, oursName,
               o->second.cpu * unit, unitName, p->second.cpu / o->second.cpu);
    }

private:
    struct Seconds {
        double real, cpu;
    };
    std::map<std::string, Seconds> times;
};

void RunAtWindowSize(int width, int height, bool withCollision, ComparingReporter& reporter) {
    if (!StartSdl() || !InitRenderer(320, 240, width, height, false)) {
        fprintf(stderr, "No GL window at %dx%d\n", width, height);
        return;
    }
    {
        WorstLevel worst;
        std::string size = std::to_string(width) + "x" + std::to_string(height);
        if (withCollision) {
            benchmark::RegisterBenchmark("collision_pass/exhaustive", Pass, &CollisionWorld::UpdateExhaustive)
                ->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark("collision_pass/indexed", Pass, &CollisionWorld::Update)
                ->Unit(benchmark::kMicrosecond);
        }
        // Process CPU time includes the software renderer's own threads.
        benchmark::RegisterBenchmark(("level_draw_" + size + "/clear_only").c_str(), ClearOnly)
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime();
        benchmark::RegisterBenchmark(("level_draw_" + size + "/every_cell").c_str(), Draw, std::ref(worst.level),
                                     &LevelNamespace::Level::DrawEveryCell)
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime();
        benchmark::RegisterBenchmark(("level_draw_" + size + "/culled").c_str(), Draw, std::ref(worst.level),
                                     &LevelNamespace::Level::Draw)
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime();
        benchmark::RunSpecifiedBenchmarks(&reporter);
        benchmark::ClearRegisteredBenchmarks();
    }
    StopSdl();
}

void RunThingCrowd(ComparingReporter& reporter) {
    if (!StartSdl() || !InitRenderer(320, 240, 320, 240, false)) {
        fprintf(stderr, "No GL window for the things\n");
        return;
    }
    {
        ThingCrowd crowd;
        benchmark::RegisterBenchmark("things_200/update_without_things", CrowdUpdate, std::ref(crowd), false)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("things_200/update_with_things", CrowdUpdate, std::ref(crowd), true)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("things_200/pass_without_things", CrowdPass, std::ref(crowd), false)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("things_200/pass_with_things", CrowdPass, std::ref(crowd), true)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RunSpecifiedBenchmarks(&reporter);
        benchmark::ClearRegisteredBenchmarks();
    }
    StopSdl();
}
}

int main(int argc, char** argv) {
    setenv("DUSKHOLD_NO_DIALOG", "1", 0);
    benchmark::Initialize(&argc, argv);
    std::string pictures = WritePictures();
    if (chdir(pictures.c_str()) != 0) return 1;
    ComparingReporter reporter;
    // --benchmark_out keeps only the last run: the collision pass goes there.
    RunAtWindowSize(320, 240, false, reporter);
    RunThingCrowd(reporter);
    RunAtWindowSize(960, 720, true, reporter);
    printf("\n");
    reporter.Compare("collision pass", "collision_pass/exhaustive", "collision_pass/indexed", 1e6, "us");
    reporter.Compare("level draw 320x240", "level_draw_320x240/every_cell", "level_draw_320x240/culled", 1e3, "ms");
    reporter.Compare("step's updates", "things_200/update_with_things", "things_200/update_without_things", 1e6, "us",
                     "200 things", "none");
    reporter.Compare("pass, same tiles", "things_200/pass_with_things", "things_200/pass_without_things", 1e6, "us",
                     "200 things", "none");
    reporter.Compare("level draw 960x720", "level_draw_960x720/every_cell", "level_draw_960x720/culled", 1e3, "ms");
    std::error_code ignored;
    std::filesystem::remove_all(pictures, ignored);
    return 0;
}
