#include "core/Game.h"
#include "collision/Collision.h"
#include "console/DevConsole.h"
#include "core/EntityManager.h"
#include "core/GameState.h"
#include "core/Log.h"
#include "core/StateStack.h"
#include "core/Trace.h"
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
#include "screens/Screens.h"
#include "screens/TitleScreen.h"
#include "world/Camera.h"
#include "world/LevelName.h"
#include <cstdlib>
#include <ctime>
#include <sys/time.h>

namespace {
long gStep = 0;
bool gQuit = false;
Options gOptions;

// The random seed comes from a millisecond clock.
unsigned MillisecondSeed() {
    timeval now;
    gettimeofday(&now, nullptr);
    return unsigned(now.tv_sec * 1000 + now.tv_usec / 1000);
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
void RequestQuit() { gQuit = true; }
bool QuitRequested() { return gQuit; }

namespace {
// --level skips the title and the menu and goes straight into that stage.
GameState* FirstScreen(const Options& options) {
    if (options.level.empty()) return gTitleScreen;
    SetLevelName(options.level.c_str());
    return gStateGame;
}
}

void InitGame(const Options& options) {
    gOptions = options;
    InitSoundSystem();
    AddTraceField("sounds", [] { return JsonNumber(LiveSoundCount()); });
    AddTraceField("textures", [] { return JsonNumber(LiveTextureCount()); });
    // Resident memory differs from run to run, so that traces stay
    // comparable it is traced only on request (tools/long-run.sh).
    if (getenv("DUSKHOLD_TRACE_RSS"))
        AddTraceField("rss_kb", [] { return JsonNumber(ResidentMemoryKb()); });
    AddTitleTraceField();
    AddMenuTraceField();
    srand(MillisecondSeed());
    GlobalEntityManager().Add(new DevConsole(14));
    AddTraceField("held", [] { return JsonNumber(TheInput().held); });
    AddTraceField("console", [] {
        return gDevConsole ? JsonNumber(gDevConsole->LineCount()) : std::string();
    });
    AddHeroTraceFields();
    RegisterStateName(gTitleScreen, "title");
    RegisterStateName(gMainMenu, "menu");
    RegisterStateName(gStateGame, "game");
    RegisterStateName(gGameOver, "gameover");
    TheStateStack().PushState(FirstScreen(options));
}

void UpdateFrame() {
    ++gStep;
    CollisionWorld::Instance().Update();
    if (!QueueReplayedEvents(gStep)) RequestQuit();
    TheInput().Update();
    if (GameState* state = TheStateStack().CurrentState()) state->Update(1.0f);
    GlobalEntityManager().Update(1.0f);
    WriteTraceLine(gStep, TheStateStack().CurrentState());
}

void DrawFrame() {
    ClearScreen();
    if (GameState* state = TheStateStack().CurrentState()) state->Draw();
    GlobalEntityManager().Draw();
    CollisionWorld::Instance().DrawAll(-Camera::X(), -Camera::Y());
    TakeShots();
    SwapScreen();
}
