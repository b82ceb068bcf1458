#include "app/Game.h"
#include "app/TraceFields.h"
#include "collision/Collision.h"
#include "console/DevConsole.h"
#include "core/EntityManager.h"
#include "core/FrameLoop.h"
#include "core/GameState.h"
#include "base/Log.h"
#include "core/ReferencePaths.h"
#include "core/StateStack.h"
#include "core/StepPacer.h"
#include "core/Trace.h"
#include "platform/FrameTarget.h"
#include "platform/Input.h"
#include "platform/MovieEvents.h"
#include "platform/Renderer.h"
#include "platform/ResidentMemory.h"
#include "platform/Screenshots.h"
#include "platform/Sound.h"
#include "platform/Texture.h"
#include "platform/Window.h"
#include "player/Player.h"
#include "screens/Main_Menu.h"
#include "screens/MessageLine.h"
#include "screens/ConfigureScreen.h"
#include "screens/OptionsScreen.h"
#include "screens/Screens.h"
#include "screens/StagesScreen.h"
#include "campaign/SaveProgress.h"
#include "campaign/Settings.h"
#include "campaign/SettingsEffects.h"
#include "campaign/StageMusic.h"
#include "campaign/StageTable.h"
#include "screens/State_Game.h"
#include "screens/TitleScreen.h"
#include "world/Camera.h"
#include "world/LevelName.h"
#include "world/PlayAssists.h"
#include "world/PlayRules.h"
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/time.h>

namespace {
using Clock = std::chrono::steady_clock;
long gStep = 0;
Clock::time_point gPassStart;
PassTimes gLastPass;
Options gOptions;

// The random seed comes from a millisecond clock.
unsigned MillisecondSeed() {
    timeval now;
    gettimeofday(&now, nullptr);
    return unsigned(now.tv_sec * 1000 + now.tv_usec / 1000);
}

bool ShotDue() {
    for (const ShotRequest& shot : gOptions.shots)
        if (shot.step == gStep) return true;
    return ScreenshotRequested();
}

void TakeShots() {
    for (const ShotRequest& shot : gOptions.shots) {
        if (shot.step != gStep) continue;
        std::string error;
        if (!WriteViewportPng(shot.file, error)) PrintStatus("Screenshot failed: %s", error.c_str());
    }
    TakeRequestedScreenshot();
}
}

long CurrentStep() { return gStep; }

PassTimes LastPassTimes() { return gLastPass; }

namespace {
// --level skips the title and the menu and goes straight into that stage,
// with the music the stage table gives it (none for a level not in it).
GameState* FirstScreen(const Options& options) {
    if (options.level.empty()) return gTitleScreen;
    SetLevelName(options.level.c_str());
    if (const StageRow* row = FindStageOfLevel(options.level.c_str())) ReplaceStageMusic(row->music);
    return gStateGame;
}
}

void InitGame(const Options& options) {
    gOptions = options;
    State_Game::WatchFiles(options.watch);
    SetEngineRulesOnly(options.engineRules);
    if (options.engineRules) ShowOverlaysAsEngine();
    InitSoundSystem();
    AddTraceFields();
    srand(MillisecondSeed());
    TheEntityManager().Add(std::make_unique<DevConsole>(14));
    TheMessageLine().Start();
    RegisterStateName(gTitleScreen, "title");
    RegisterStateName(gMainMenu, "menu");
    RegisterStateName(gStateGame, "game");
    RegisterStateName(gGameOver, "gameover");
    RegisterStateName(gOptionsScreen, "options");
    RegisterStateName(gAssistScreen, "assist");
    RegisterStateName(gConfigureScreen, "configure");
    RegisterStateName(gStagesScreen, "stages");
    TheStateStack().PushState(FirstScreen(options));
}

uint32_t StepMs() {
    const bool playing = TheStateStack().CurrentState() == gStateGame && TheStateGame().TakesEscape() &&
                         !TheStateGame().Pause().IsOpen();
    return StepPacer::IntervalAt(playing ? ThePlayAssists().speedPercent : PlayAssists::kFullSpeed);
}

void UpdateFrame() {
    gPassStart = Clock::now();
    ++gStep;
    if (ReferencePaths()) TheCollisionWorld().UpdateExhaustive();
    else TheCollisionWorld().Update();
    if (!QueueReplayedEvents(gStep)) RequestQuit();
    TheInput().Update();
    ToggleOverlays(TheInput().commands);
    const long entered = TheStateStack().EnterCount();
    if (GameState* state = TheStateStack().CurrentState()) state->Update(1.0f);
    // The button that left a screen does nothing on the next one until it
    // is released: a tap of ButtonA on PLAY would otherwise sink the hero.
    if (TheStateStack().EnterCount() != entered) TheInput().HoldBackButtons();
    TheEntityManager().Update(1.0f);
    TheMessageLine().Step();
    GameState* shown = TheStateStack().CurrentState();
    SetEscapeEndsProgram(!shown || !shown->TakesEscape());
    // Saves and settings that wait for another program's lock try again.
    SaveWhatWaits();
    KeepWaitingSettings();
    WriteTraceLine(gStep, TheStateStack().CurrentState());
}

// The reference path draws straight into the window; otherwise the picture
// is drawn small and shown scaled up, and only when it changed.
void DrawFrame() {
    if (ReferencePaths()) ClearScreen();
    else BeginFrame();
    GameState* state = TheStateStack().CurrentState();
    if (state) state->Draw();
    TheEntityManager().Draw();
    if (!state || state->ShowsOutlines()) TheCollisionWorld().DrawAll(-TheCamera().X(), -TheCamera().Y());
    if (state) state->DrawOverOutlines();
    TheMessageLine().Draw();
    if (ReferencePaths() || EndFrame(ShotDue())) {
        TakeShots();
        SwapScreen();
    }
    Clock::time_point end = Clock::now();
    gLastPass.lengthUs = std::chrono::duration_cast<std::chrono::microseconds>(end - gPassStart).count();
    gLastPass.endMs = std::chrono::duration<double, std::milli>(end.time_since_epoch()).count();
}
