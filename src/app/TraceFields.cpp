#include "app/TraceFields.h"
#include "app/Game.h"
#include "campaign/Bindings.h"
#include "campaign/MenuNavigation.h"
#include "campaign/SaveProgress.h"
#include "campaign/Settings.h"
#include "campaign/StageTable.h"
#include "campaign/StageMusic.h"
#include "collision/Collision.h"
#include "console/DevConsole.h"
#include "core/StateStack.h"
#include "core/Trace.h"
#include "platform/FrameTarget.h"
#include "platform/Input.h"
#include "platform/ResidentMemory.h"
#include "platform/Sound.h"
#include "platform/Texture.h"
#include "player/Player.h"
#include "screens/ConfigureScreen.h"
#include "screens/Main_Menu.h"
#include "screens/MessageLine.h"
#include "screens/OptionsScreen.h"
#include "screens/Screens.h"
#include "screens/StagesScreen.h"
#include "screens/State_Game.h"
#include "screens/TitleScreen.h"
#include "things/Thing.h"
#include "world/Camera.h"
#include "world/LevelName.h"
#include "world/PlayAssists.h"
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
bool On(const GameState* screen) { return TheStateStack().CurrentState() == screen; }

std::string JsonPair(float x, float y) { return "[" + JsonNumber(x) + "," + JsonNumber(y) + "]"; }

std::string JsonBool(bool value) { return value ? "true" : "false"; }

std::string OutOfJson(int32_t count, int32_t total) { return "[" + JsonNumber(count) + "," + JsonNumber(total) + "]"; }

// The clear's figures while its banner stands: steps, gems and foes as
// [found, total], and which figures are new bests.
std::string TallyJson() {
    if (!On(gStateGame) || !TheStateGame().Tally()) return std::string();
    const StageTally& t = *TheStateGame().Tally();
    return "{\"steps\":" + JsonNumber(t.steps) + ",\"gems\":" + OutOfJson(t.gemsFound, t.gemTotal) +
           ",\"foes\":" + OutOfJson(t.foesBeaten, t.foeTotal) + ",\"hits\":" + JsonNumber(t.hitsTaken) +
           ",\"livesLost\":" + JsonNumber(t.livesLost) + ",\"newBestTime\":" + JsonBool(t.newBestTime) +
           ",\"newBestGems\":" + JsonBool(t.newBestGems) + (t.assisted ? ",\"assisted\":true}" : "}");
}

std::string TitleJson() {
    if (!On(gTitleScreen)) return std::string();
    const TitleScreen& title = TheTitleScreen();
    return "{\"timer\":" + JsonNumber(title.Timer()) + ",\"leave\":" + JsonNumber(title.LeaveCounter()) + "}";
}

// The box open over the menu, if any: the name so far and the grid's cell,
// or the answer chosen.
std::string MenuDialogJson() {
    const FileDialogs& dialogs = TheMainMenu().Dialogs();
    switch (dialogs.Open()) {
    case FileDialogs::Naming:
        return ",\"naming\":" + JsonString(dialogs.Entry().Name()) + ",\"cell\":" + JsonNumber(dialogs.Entry().Cell());
    case FileDialogs::Erasing: return std::string(",\"erasing\":") + (dialogs.YesChosen() ? "\"yes\"" : "\"no\"");
    case FileDialogs::ListFull: return ",\"full\":true";
    case FileDialogs::None: break;
    }
    return std::string();
}

std::string MenuJson() {
    if (!On(gMainMenu)) return std::string();
    const MenuNavigation& n = TheMainMenu().Navigation();
    return "{\"page\":" + JsonNumber(n.page) + ",\"cursor\":" + JsonNumber(n.cursor) +
           ",\"row\":" + JsonNumber(n.listRow) + ",\"scroll\":" + JsonNumber(n.listScroll) + MenuDialogJson() + "}";
}

// The options page: its cursor, the volumes it set and what the mixer plays
// at, and whether the outlines and the console are drawn.
std::string OptionsJson() {
    if (!On(gOptionsScreen)) return std::string();
    const SettingValues& values = TheSettings().values;
    return "{\"row\":" + JsonNumber(TheOptionsScreen().Page().list.cursor) +
           ",\"music\":" + JsonNumber(values.musicVolume) + ",\"effects\":" + JsonNumber(values.effectsVolume) +
           ",\"mixer\":" + JsonPair(float(MixerMusicVolume()), float(MixerEffectsVolume())) +
           ",\"fullscreen\":" + JsonBool(values.fullscreen) + ",\"window\":" + JsonNumber(values.windowSize) +
           ",\"outlines\":" + JsonBool(TheCollisionWorld().OutlinesShown()) +
           ",\"console\":" + JsonBool(ConsoleShown()) + "}";
}

// The assists that apply: on the ASSIST page with its cursor, and in a play
// stage played with any of them; nothing elsewhere.
std::string AssistJson() {
    const bool page = On(gAssistScreen);
    if (!page && !(On(gStateGame) && TheStateGame().Assisted())) return std::string();
    const PlayAssists& assists = ThePlayAssists();
    return "{" + (page ? "\"row\":" + JsonNumber(TheAssistScreen().Page().list.cursor) + "," : std::string()) +
           "\"speed\":" + JsonNumber(assists.speedPercent) + ",\"hearts\":" + JsonNumber(assists.extraHearts) +
           ",\"keepLives\":" + JsonBool(assists.keepLives) + "}";
}

// The CONFIGURE page: its cursor, whether it waits for a control or refused
// one, and the keys and joystick controls each action shows.
std::string ConfigureJson() {
    if (!On(gConfigureScreen)) return std::string();
    const ConfigurePage& page = TheConfigureScreen().Page();
    std::string keys, pads;
    for (const BoundAction& bound : BoundActions()) {
        keys += (keys.empty() ? "" : ",") + JsonString(ControlsLabel(TheInput(), bound.action, Binding::kKeyboard));
        pads += (pads.empty() ? "" : ",") + JsonString(ControlsLabel(TheInput(), bound.action, Binding::kJoystick));
    }
    return "{\"row\":" + JsonNumber(page.list.cursor) + ",\"waiting\":" + JsonBool(page.waiting) +
           ",\"refused\":" + JsonBool(page.refused) + ",\"keys\":[" + keys + "],\"pads\":[" + pads + "]}";
}

const char* KeptRunName(KeptRun run) {
    return run == KeptRun::Kept ? "kept" : run == KeptRun::Changed ? "changed" : "none";
}

// A file's STAGES page: the file's place and stage, the cursor, and each
// stage's best steps and gems as the page shows them, the gems each stage
// places; and, once it lists
// them, what the file keeps of each stage's best run.
std::string StagesJson() {
    if (!On(gStagesScreen)) return std::string();
    const StagesPage& page = TheStagesScreen().Page();
    std::string steps, gems, totals, runs;
    for (size_t row = 0; row < StageRowCount(); ++row) {
        steps += (row ? "," : "") + JsonNumber(BestSteps(page.File(), row));
        gems += (row ? "," : "") + JsonNumber(BestGems(page.File(), row));
        totals += (row ? "," : "") + JsonNumber(page.GemTotal(row));
        runs += (row ? "," : "") + JsonString(KeptRunName(page.Run(row)));
    }
    return "{\"file\":" + JsonNumber(TheStagesScreen().File()) + ",\"stage\":" + JsonNumber(page.File().stage) +
           ",\"row\":" + JsonNumber(page.list.cursor) + ",\"steps\":[" + steps + "],\"gems\":[" + gems +
           "],\"gemTotals\":[" + totals + "]" + (page.ListsRuns() ? ",\"runs\":[" + runs + "]}" : "}");
}

// The ghost of the file's best run in a play stage: where its feet stand,
// or null when none shows; and whether the stage plays that run itself.
std::string GhostJson() {
    const Player* hero = ThePlayer();
    if (!On(gStateGame) || !hero || !hero->Playing()) return std::string();
    if (TheStateGame().Watching()) return "\"watching\"";
    const std::optional<RunPose> pose = TheStateGame().GhostPose();
    return pose ? JsonPair(pose->x, pose->y) : std::string("null");
}

// What the hero of a play stage is doing; nothing by the engine's rules.
std::string HeroJson() {
    const Player* hero = ThePlayer();
    if (!hero || !hero->Playing()) return std::string();
    return "{\"state\":" + JsonString(HeroStateName(hero->State())) +
           ",\"facing\":" + JsonString(hero->Facing() > 0 ? "right" : "left") +
           ",\"hearts\":" + JsonNumber(hero->Hearts()) + ",\"lives\":" + JsonNumber(hero->Lives()) +
           ",\"whip\":" + JsonNumber(hero->TheWhip().Level()) + "}";
}

// The things of a play stage, in the order they were made: kind and place.
std::string ThingsJson() {
    if (!On(gStateGame)) return std::string();
    std::string list;
    for (const Entity* entity : TheStateGame().entities.Entities())
        if (const Thing* thing = dynamic_cast<const Thing*>(entity))
            list += std::string(list.empty() ? "" : ",") + "[" + JsonString(thing->KindName()) + "," +
                    JsonNumber(thing->position.x) + "," + JsonNumber(thing->position.y) + "]";
    return list.empty() ? std::string() : "[" + list + "]";
}

// The hit the hero took in this step: what hit him and how long the screen
// had shown it, and a bone's thrower when it threw.
std::string HitJson() {
    if (!On(gStateGame) || !TheStateGame().Hit()) return std::string();
    const HeroHit& hit = *TheStateGame().Hit();
    std::string json = "{\"by\":" + JsonString(hit.kind) + ",\"seen\":" + JsonNumber(hit.seen);
    if (hit.throwerSeen) json += ",\"thrower\":" + JsonNumber(*hit.throwerSeen);
    return json + "}";
}

// How long the last pass (update, draw and swap) took and when it ended, on
// request only (DUSKHOLD_TRACE_TIMES, for make bench): they differ from run
// to run.
void AddPassTimeFields() {
    AddTraceField("frame_us", [] { return JsonNumber(double(LastPassTimes().lengthUs)); });
    AddTraceField("clock_ms", [] {
        // Fixed decimals: the monotonic clock counts from boot, too many
        // digits for JsonNumber to keep the fraction.
        char text[40];
        snprintf(text, sizeof text, "%.3f", LastPassTimes().endMs);
        return std::string(text);
    });
    // The quads the frame kept and the draw calls they took.
    AddTraceField("frame_quads", [] { return JsonNumber(double(LastFrameCounts().quads)); });
    AddTraceField("frame_draws", [] { return JsonNumber(double(LastFrameCounts().drawCalls)); });
}
}

void AddTraceFields() {
    AddTraceField("sounds", [] { return JsonNumber(LiveSoundCount()); });
    AddTraceField("textures", [] { return JsonNumber(LiveTextureCount()); });
    AddTraceField("shapes", [] { return JsonNumber(double(TheCollisionWorld().Shapes().size())); });
    AddTraceField("playing", [] { return std::string(MusicPlaying() ? "true" : "false"); });
    // Resident memory differs from run to run: traced only on request
    // (tools/long-run.sh), so that traces stay comparable.
    if (getenv("DUSKHOLD_TRACE_RSS")) AddTraceField("rss_kb", [] { return JsonNumber(ResidentMemoryKb()); });
    if (getenv("DUSKHOLD_TRACE_TIMES")) AddPassTimeFields();
    AddTraceField("title", TitleJson);
    AddTraceField("menu", MenuJson);
    AddTraceField("options", OptionsJson);
    AddTraceField("configure", ConfigureJson);
    AddTraceField("stages", StagesJson);
    AddTraceField("assist", AssistJson);
    AddTraceField("held", [] { return JsonNumber(TheInput().held); });
    AddTraceField("console", [] { return TheDevConsole() ? JsonNumber(TheDevConsole()->LineCount()) : std::string(); });
    AddTraceField("message", [] {
        const std::string& line = TheMessageLine().Shown();
        return line.empty() ? line : JsonString(line);
    });
    AddTraceField("camera", [] { return JsonPair(TheCamera().X(), TheCamera().Y()); });
    AddTraceField("player", [] {
        const Player* hero = ThePlayer();
        return hero ? JsonPair(hero->position.x, hero->position.y) : std::string("null");
    });
    AddTraceField("hero", HeroJson);
    AddTraceField("things", ThingsJson);
    AddTraceField("pause", [] {
        if (!On(gStateGame) || !TheStateGame().Pause().IsOpen()) return std::string();
        return JsonNumber(TheStateGame().Pause().Cursor());
    });
    AddTraceField("hit", HitJson);
    AddTraceField("gems", [] {
        if (!On(gStateGame) || TheStateGame().Record().gemTotal == 0) return std::string();
        return JsonPair(TheStateGame().Record().gemsFound, TheStateGame().Record().gemTotal);
    });
    AddTraceField("ghost", GhostJson);
    // How many steps after the best run (fewer than 0: before) the hero lit
    // the lantern the HUD speaks of.
    AddTraceField("split", [] {
        const std::optional<int32_t> split = TheStateGame().StageHud().Split();
        return On(gStateGame) && split ? JsonNumber(*split) : std::string();
    });
    AddTraceField("checkpoint", [] {
        const int32_t steps = TheStateGame().StageHud().CheckpointSteps();
        return On(gStateGame) && steps > 0 ? JsonNumber(steps) : std::string();
    });
    AddTraceField("save", [] { return SaveFileReadPath().empty() ? std::string() : JsonString(SaveFileReadPath()); });
    AddTraceField("music", [] {
        const char* music = StageMusicPath();
        return music ? JsonString(music) : std::string("null");
    });
    AddTraceField("level", [] { return JsonString(TheLevelName()); });
    AddTraceField("stageName", [] {
        const char* name = TheStateGame().Title().Shown();
        return On(gStateGame) && name ? JsonString(name) : std::string();
    });
    AddTraceField("tally", TallyJson);
    AddTraceField("clear", [] {
        const int32_t steps = TheStateGame().ClearSteps();
        return On(gStateGame) && steps >= 0 ? JsonNumber(steps) : std::string();
    });
}
