#include "app/Program.h"
#include "campaign/Bindings.h"
#include "campaign/SaveProgress.h"
#include "campaign/Settings.h"
#include "campaign/SettingsEffects.h"
#include "console/DevConsole.h"
#include "core/EntityManager.h"
#include "core/FrameLoop.h"
#include "app/Game.h"
#include "base/Log.h"
#include "app/Options.h"
#include "core/ReferencePaths.h"
#include "base/SharedConstants.h"
#include "core/Trace.h"
#include "platform/DataDir.h"
#include "platform/ErrorBox.h"
#include "platform/FrameTarget.h"
#include "platform/Input.h"
#include "platform/MovieEvents.h"
#include "platform/Renderer.h"
#include "platform/Screenshots.h"
#include "platform/Window.h"
#include "screens/MessageLine.h"
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {
const char* const kCaption = "Duskhold Annals: Vorlak's Curse";

// Paths given on the command line are relative to where the program was
// started, not to the data directory it changes into.
std::string Absolute(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return path;
    return std::string(cwd) + "/" + path;
}

// The bindings of the settings file, over the default keys and the joystick's.
void ApplyBindings() {
    std::vector<std::string> problems;
    ApplyBindingSettings(TheSettings().values, TheInput(), problems);
    for (const std::string& problem : problems) TellPlayer("Settings %s %s", SettingsPath().c_str(), problem.c_str());
}

void MakePathsAbsolute(Options& options) {
    options.trace = Absolute(options.trace);
    options.record = Absolute(options.record);
    options.replay = Absolute(options.replay);
    options.settings = Absolute(options.settings);
    for (ShotRequest& shot : options.shots) shot.file = Absolute(shot.file);
}

void EnterData(const Options& options, const char* argv0) {
    DataDirChoice choice = ChooseDataDir(options.dataDir, argv0);
    std::string error;
    if (EnterDataDir(choice.path, error))
        PrintStatus("Data directory: %s (%s)", choice.path.c_str(), choice.source.c_str());
    else
        TellPlayer("Data directory %s (%s) cannot be used: %s", choice.path.c_str(), choice.source.c_str(),
                   error.c_str());
}

// -fullscreen and --window win over the settings for this run.
WindowMode ChosenWindow(const Options& options) {
    int desktopWidth = 0, desktopHeight = 0;
    DesktopSize(desktopWidth, desktopHeight);
    WindowMode mode{options.windowWidth, options.windowHeight, options.fullscreen};
    if (options.fullscreen && desktopWidth > 0) mode = {desktopWidth, desktopHeight, true};
    else if (!options.fullscreen && !options.windowGiven)
        mode = WindowModeFor(TheSettings().values, desktopWidth, desktopHeight);
    return mode;
}

void OpenWindow(const Options& options) {
    const WindowMode mode = ChosenWindow(options);
    PrintStatus("Initializing Renderer");
    InitRenderer(kScreenWidth, kScreenHeight, mode.width, mode.height, mode.fullscreen);
    SetWindowCaption(kCaption);
    ClearScreen();
    SwapScreen();
}

long RunLoop(const Options& options) {
    bool queueEmpty = true;
    FrameLoopHooks hooks;
    hooks.ticks = Ticks;
    hooks.pollOneEvent = [&]() {
        int width = 0, height = 0;
        WindowEvent event = PollOneWindowEvent(!options.replay.empty(), width, height);
        queueEmpty = event == WindowEvent::None;
        if (event == WindowEvent::Resize) ResizeViewport(width, height);
        if (event == WindowEvent::Resize || event == WindowEvent::Expose) ShowNextFrame();
        if (event == WindowEvent::Screenshot) RequestScreenshot();
        return event != WindowEvent::Quit && !QuitRequested();
    };
    hooks.queueWasEmpty = [&]() { return queueEmpty; };
    // The reference loop spins, as a loop without a sleep does.
    hooks.sleep = options.reference ? [](uint32_t) {} : std::function<void(uint32_t)>(SleepMs);
    hooks.update = UpdateFrame;
    hooks.draw = DrawFrame;
    hooks.stepMs = StepMs;
    return RunFrameLoop(hooks, {options.fast, options.steps, SleepsWakeLate()});
}
}

int RunProgram(int argc, char** argv) {
    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
        fprintf(stderr, "duskhold: %s\n%s", error.c_str(), UsageText());
        return 2;
    }
    for (const std::string& arg : options.unknown)
        fprintf(stderr, "duskhold: unknown option %s ignored\n", arg.c_str());
    if (options.help) {
        fputs(UsageText(), stdout);
        return 0;
    }
    if (options.version) {
        printf("duskhold %s\n", DUSKHOLD_VERSION);
        return 0;
    }
    RouteLogToConsole();
    // A malformed movie ends the program before any window opens.
    if (!options.replay.empty() && !LoadReplay(options.replay, error)) {
        fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    MakePathsAbsolute(options);
    UseReferencePaths(options.reference);
    DrawOnlyShownFrames(options.unseen);
    if (options.fast) SetErrorDialogsAllowed(false);
    if (!options.trace.empty() && !OpenTrace(options.trace, error)) {
        fprintf(stderr, "duskhold: %s\n", error.c_str());
        return 2;
    }
    if (!options.record.empty() && !StartRecording(options.record, CurrentStep, error)) {
        fprintf(stderr, "duskhold: %s\n", error.c_str());
        return 2;
    }
    EnterData(options, argv[0]);
    LoadSettings(options.settings.empty() ? PlayerSettingsPath() : options.settings);
    if (!StartSdl()) return 1;
    TheInput().OpenJoystick();
    ApplyBindings();
    OpenWindow(options);
    ApplySoundSettings(TheSettings().values);
    ApplyOverlaySettings(TheSettings().values);
    ApplyAssistSettings(TheSettings().values);
    InitGame(options);
    RunLoop(options);
    // What still waits for a lock gets two seconds more.
    KeepChangedSettings(2000);
    SaveBeforeQuitting();
    const bool recorded = StopRecording(error);
    if (!recorded) fprintf(stderr, "duskhold: %s\n", error.c_str());
    TheEntityManager().Clear();
    TheMessageLine().Stop();
    const bool traced = CloseTrace(error);
    if (!traced) fprintf(stderr, "duskhold: %s\n", error.c_str());
    StopSdl();
    return recorded && traced ? 0 : 1;
}
