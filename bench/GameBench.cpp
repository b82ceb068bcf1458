// duskhold-gamebench: the speed of the whole game, each figure beside the
// same figure on the plain reference paths (--reference) of the same run:
//   - frame time at 960x720 on the busiest stage, on the same with 200
//     things (CrowdStage.h) and on the worst-case level,
//     from the real game binary's own trace (DUSKHOLD_TRACE_TIMES);
//   - the collision pass alone, from duskhold-bench's JSON output;
//   - level load time of the stages and of the worst-case level;
//   - time from start to the first picture shown;
//   - processor use of the title screen standing still.
// make bench runs it under Xvfb with the software renderer.
#include "BenchData.h"
#include "BenchmarkJson.h"
#include "ChildProcess.h"
#include "CrowdStage.h"
#include "GameRuns.h"
#include "Percentiles.h"
#include "SummaryTable.h"
#include "WindowTimings.h"
#include "WorstCaseLevel.h"
#include "json/JsonField.h"
#include <GL/gl.h>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <tuple>
#include <unistd.h>

namespace {
const char* const kUsage =
    "usage: duskhold-gamebench --game DUSKHOLD --data BUILT_DATA [--collision-json FILE]\n"
    "                          [--steps N] [--reference-steps N] [--idle-seconds S]\n"
    "       duskhold-gamebench --data BUILT_DATA --write-data DIR [--stage NAME] [--steps N]\n"
    "         (only writes the bench's data: DIR/data with the worst-case level and the crowd\n"
    "          stage, and DIR/walk.movie; for runs by hand and profiles)\n";

// The bench started again to measure a bare start (BareFirstFrameMs).
const char* const kShowOneBareFrame = "--show-one-bare-frame";
const char* const kShownAt = "shown at ";

struct Settings {
    std::string game, builtData, collisionJson, writeData, webJson;
    // The stage the crowd of --write-data joins (the bench itself finds the busiest).
    std::string stage = "blk40aa";
    long steps = 1000;
    // The reference paths draw the worst case ten times slower or more: a
    // shorter run of the same movie keeps make bench to a few minutes.
    long referenceSteps = 300;
    double idleSeconds = 10;
};

bool ParseSettings(int argc, char** argv, Settings& settings) {
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string name = argv[i], value = argv[i + 1];
        if (name == "--game") settings.game = value;
        else if (name == "--data") settings.builtData = value;
        else if (name == "--collision-json") settings.collisionJson = value;
        else if (name == "--write-data") settings.writeData = value;
        else if (name == "--web-json") settings.webJson = value;
        else if (name == "--stage") settings.stage = value;
        else if (name == "--steps") settings.steps = atol(value.c_str());
        else if (name == "--reference-steps") settings.referenceSteps = atol(value.c_str());
        else if (name == "--idle-seconds") settings.idleSeconds = atof(value.c_str());
        else return false;
    }
    return argc % 2 == 1 && (!settings.game.empty() || !settings.writeData.empty()) && !settings.builtData.empty() &&
           settings.steps > 0 && settings.referenceSteps > 0;
}

std::string AbsolutePath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? resolved : path;
}

// The stages the build made, by name.
std::set<std::string> StageNames(const std::string& builtData) {
    std::set<std::string> names;
    std::error_code failure;
    for (const auto& entry : std::filesystem::directory_iterator(builtData + "/levels", failure))
        names.insert(entry.path().filename().string());
    return names;
}

void PrintMachine() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line, model = "unknown";
    while (std::getline(cpuinfo, line))
        if (line.rfind("model name", 0) == 0) {
            model = line.substr(line.find(':') + 2);
            break;
        }
    double load[3] = {0, 0, 0};
    getloadavg(load, 3);
    printf("Machine: %ld processors, %s; load average %.2f %.2f %.2f\n", sysconf(_SC_NPROCESSORS_ONLN), model.c_str(),
           load[0], load[1], load[2]);
}

struct FrameFigures {
    double median = 0, p99 = 0;
};

FrameFigures FrameFiguresOf(const std::vector<double>& ms) { return {Median(ms), Percentile(ms, 0.99)}; }

class GameBench {
public:
    GameBench(const Settings& settings, const BenchData& data)
        : settings_(settings), data_(data), runs_(AbsolutePath(settings.game), data.DataDir(), data.WorkDir()),
          stages_(StageNames(settings.builtData)) {}

    bool Run() {
        PrintMachine();
        return InProcess() && Frames() && Collision() && FirstFrame() && Idle() && Web() && (summary_.Print(), true);
    }

private:
    LevelCounts PrintLevel(const std::string& level, double loadMs) {
        LevelCounts counts = CountLevel(level);
        printf("  %-10s %7zu %7zu %11zu %6.2f ms\n", level.c_str(), counts.layers, counts.cells, counts.rectangles,
               loadMs);
        return counts;
    }

    // Load times, and the floors of an empty frame on each path.
    bool InProcess() {
        if (stages_.empty()) return Fail("finding the stages in " + settings_.builtData + "/levels");
        std::string error;
        if (!OpenBenchWindow(data_.DataDir(), error)) return Fail(error);
        printf("Renderer: %s, %s\n", glGetString(GL_RENDERER), glGetString(GL_VERSION));
        printf("\nLevels: what each holds, and its load time with pictures (median of 20 loads and releases):\n");
        printf("  %-10s %7s %7s %11s %9s\n", "level", "layers", "cells", "rectangles", "load");
        LevelCounts busiest;
        double busiestMs = 0;
        for (const std::string& stage : stages_) {
            double ms = LevelLoadMs(stage, 20);
            LevelCounts counts = PrintLevel(stage, ms);
            if (std::tie(counts.layers, counts.cells) > std::tie(busiest.layers, busiest.cells))
                busiest_ = stage, busiest = counts, busiestMs = ms;
        }
        double worstMs = LevelLoadMs(kWorstCaseLevel, 20);
        PrintLevel(kWorstCaseLevel, worstMs);
        // Full-screen layers cost the most to draw, then cells; the stage
        // with the most of both is also the largest to load.
        printf("Busiest and largest stage (most background layers, then most cells with a picture): %s\n",
               busiest_.c_str());
        summary_.Add("level load, stage " + busiest_, busiestMs, 100, 0, "ms");
        summary_.Add("level load, worst case", worstMs, 100, 0, "ms");
        printf("\nEmpty frames at 960x720 (median of 200):\n");
        printf("  cleared and swapped, as the reference draws:             %6.2f ms\n", ClearSwapMs(200));
        // Today's way first, the floor the aims are set against; then the one the game uses.
        floorMs_ = ScaledUpSwapMs(200, PictureLayout::Rgba);
        printf("  320x240 picture scaled up (textured quad) and swapped:   %6.2f ms\n", floorMs_);
        printf("    the same with the picture's channels as the window's:  %6.2f ms (the game's way)\n",
               ScaledUpSwapMs(200, PictureLayout::Bgra));
        CloseBenchWindow();
        return true;
    }

    bool Frames() {
        std::string error;
        if (!WriteCrowdStage(data_.DataDir(), busiest_, error)) return Fail("the crowd stage: " + error);
        return FramesOf("stage " + busiest_, busiest_, 3) &&
               FramesOf("stage " + busiest_ + " with 200 things", kCrowdStage, 3) &&
               FramesOf("worst case", kWorstCaseLevel, 4);
    }

    bool FramesOf(const std::string& what, const std::string& level, double aimMs) {
        printf("\nFrame time, %s, 960x720:\n", what.c_str());
        FrameFigures figures[2];
        for (bool reference : {false, true}) {
            std::vector<double> ms;
            long steps = reference ? std::min(settings_.steps, settings_.referenceSteps) : settings_.steps;
            if (!runs_.FrameTimes(level, data_.Movie(), steps, reference, ms)) return Fail(what);
            figures[reference] = FrameFiguresOf(ms);
            printf("  %-10s %5ld steps: median %8.2f ms   99th percentile %8.2f ms\n", reference ? "reference" : "ours",
                   steps, figures[reference].median, figures[reference].p99);
        }
        summary_.Add("frame, " + what + ", median", figures[0].median, aimMs, figures[1].median, "ms");
        printf("  ours / the floor of a textured quad: %.2fx\n", figures[0].median / floorMs_);
        summary_.Add("frame, " + what + ", 99th pct", figures[0].p99, aimMs, figures[1].p99, "ms");
        return true;
    }

    bool Collision() {
        if (settings_.collisionJson.empty()) return true;
        std::map<std::string, double> us = BenchmarkRealTimesUs(settings_.collisionJson);
        double indexed = us["collision_pass/indexed"], exhaustive = us["collision_pass/exhaustive"];
        if (indexed <= 0) return Fail("no collision pass figures in " + settings_.collisionJson);
        printf("\nCollision pass alone, worst case (duskhold-bench): ours %.2f us, reference %.0f us\n", indexed,
               exhaustive);
        summary_.Add("collision pass, worst case", indexed, 0, exhaustive, "us");
        return true;
    }

    bool FirstFrame() {
        constexpr int kRuns = 7;
        printf("\nStart to first picture shown, title screen, median of %d starts:\n", kRuns);
        std::vector<double> bare(kRuns);
        for (double& run : bare)
            if (!BareFirstFrameMs(run)) return Fail("bare window");
        printf("  %-10s %7.1f ms (SDL and a GL window, one clear and swap, nothing else)\n", "bare", Median(bare));
        double median[2];
        for (bool reference : {false, true}) {
            std::vector<double> ms(kRuns);
            for (double& run : ms)
                if (!runs_.FirstFrameMs(reference, run)) return Fail("first frame");
            median[reference] = Median(ms);
            printf("  %-10s %7.1f ms\n", reference ? "reference" : "ours", median[reference]);
        }
        summary_.Add("start to first frame", median[0], 300, median[1], "ms");
        return true;
    }

    // This program started again to show one cleared picture and say when.
    bool BareFirstFrameMs(double& ms) {
        std::string log = data_.WorkDir() + "/bare.log";
        double start = MonotonicMs();
        if (!RunChild({AbsolutePath("/proc/self/exe"), kShowOneBareFrame}, log)) return false;
        std::ifstream shown(log);
        ms = -start;
        for (std::string line; std::getline(shown, line);)
            if (line.rfind(kShownAt, 0) == 0) ms += atof(line.c_str() + strlen(kShownAt));
        return ms > 0;
    }

    bool Idle() {
        printf("\nProcessor use of the title screen standing still, %.0f s:\n", settings_.idleSeconds);
        double percent[2];
        for (bool reference : {false, true}) {
            if (!runs_.IdleCpuPercent(reference, 3, settings_.idleSeconds, percent[reference])) return Fail("idle");
            printf("  %-10s %6.1f %% of a core\n", reference ? "reference" : "ours", percent[reference]);
        }
        summary_.Add("idle title screen, processor", percent[0], 5, percent[1], "%");
        return true;
    }

    // make bench-web's figures (tools/web/bench-web.js), taken just before:
    // steps a second in the browser, unpaced beside the 196 of the build
    // before the things, paced against 98 % of the 62.5 a 16 ms step allows.
    bool Web() {
        if (settings_.webJson.empty()) return true;
        std::ifstream in(settings_.webJson);
        double unpaced = 0, paced = 0;
        for (std::string line; std::getline(in, line);) {
            JsonNumberField(line, "unpacedStepsPerSecond", unpaced);
            JsonNumberField(line, "pacedStepsPerSecond", paced);
        }
        if (unpaced <= 0 || paced <= 0) return Fail("reading the browser's figures in " + settings_.webJson);
        printf("\nBrowser (headless chromium, WebGL on SwiftShader): %.1f steps a second unpaced, %.1f paced\n",
               unpaced, paced);
        summary_.Add("browser, steps a second, unpaced", unpaced, 196, 0, "", true);
        summary_.Add("browser, steps a second, paced", paced, 61.5, 0, "", true);
        return true;
    }

    bool Fail(const std::string& what) {
        fprintf(stderr, "duskhold-gamebench: %s failed\n", what.c_str());
        return false;
    }

    const Settings& settings_;
    const BenchData& data_;
    GameRuns runs_;
    std::set<std::string> stages_;
    SummaryTable summary_;
    std::string busiest_;
    double floorMs_ = 0;
};
}

int main(int argc, char** argv) {
    if (argc == 2 && strcmp(argv[1], kShowOneBareFrame) == 0) {
        printf("%s%.3f\n", kShownAt, ShowOneBareFrame());
        return 0;
    }
    Settings settings;
    if (!ParseSettings(argc, argv, settings)) {
        fputs(kUsage, stderr);
        return 2;
    }
    if (!settings.collisionJson.empty()) settings.collisionJson = AbsolutePath(settings.collisionJson);
    setenv("DUSKHOLD_TRACE_TIMES", "1", 1);
    setenv("DUSKHOLD_NO_DIALOG", "1", 0);
    std::string error;
    BenchData data(settings.builtData, settings.steps, error, settings.writeData);
    if (data.DataDir().empty()) {
        fprintf(stderr, "duskhold-gamebench: %s\n", error.c_str());
        return 1;
    }
    if (!settings.writeData.empty()) {
        if (WriteCrowdStage(data.DataDir(), settings.stage, error)) return 0;
        fprintf(stderr, "duskhold-gamebench: the crowd stage: %s\n", error.c_str());
        return 1;
    }
    return GameBench(settings, data).Run() ? 0 : 1;
}
