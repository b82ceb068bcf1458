#pragma once
#include "core/EntityManager.h"
#include "core/GameState.h"
#include "platform/Sound.h"
#include "platform/Sprite.h"
#include "screens/Hud.h"
#include "screens/MenuText.h"
#include "screens/StageTally.h"
#include "screens/StageTimer.h"
#include "screens/StageRuns.h"
#include "screens/StageTitle.h"
#include "screens/PauseMenu.h"
#include "things/StageRecord.h"
#include "things/Thing.h"
#include "things/ThingPlacement.h"
#include "world/LevelWatch.h"
#include "world/PlayCamera.h"
#include <memory>
#include <optional>

namespace LevelNamespace {
class Level;
}
namespace LevelFile {
struct LevelData;
}
struct StageRow;

// The stage being played: the level named by TheLevelName() and, once it is
// loaded, the hero, both held by this state's own entity manager. The stage
// is cleared when the hero walks past the right edge of the main grid with
// his body within its rows: the hero stops, the stage-clear tune plays under
// STAGE CLEAR, and after the banner the next stage of the stage table starts
// (the main menu after the last, or when the next stage's file does not load).
// In a play stage the tally of the clear stands under the banner, and a
// fresh press of ButtonA or ButtonB after kSkipAfterSteps leaves it early.
// In a stage that asks for play, a fall below it costs a life instead, and
// losing the last life leads to GAME OVER and back to the menu on the
// played file. The pause key (P, a pad's start button) stops the stage under
// the pause menu, and so does Escape in a stage that asks for play. For
// stage makers, F5 reads the level file again and rebuilds the stage around
// the hero, F6 rebuilds it with the hero at the start point, and with
// watching on the stage rebuilds itself when one of its files changes.
// In a play stage the stage moves the camera (PlayCamera) once the hero and
// the things have moved, and tells the things what the screen shows. A play
// stage started from a file records its run (StageRuns): a clear with a new
// best time keeps it, and the stage played again shows it as a ghost.
class State_Game : public GameState {
public:
    // The stage-clear tune (3.75 s) ends before the banner, 3.84 s at 16 ms a step.
    static constexpr int32_t kClearBannerSteps = 240;
    // The tune has played about a second before a press skips the rest.
    static constexpr int32_t kSkipAfterSteps = 60;
    // Four looks a second at 60 steps a second.
    static constexpr int32_t kWatchEverySteps = 15;

    void Enter() override;
    void Leave() override;
    void Update(float step) override;
    void Draw() override;
    // The HUD and STAGE CLEAR, over the collision outlines.
    void DrawOverOutlines() override;
    // A stage that asks for play pauses on Escape.
    bool TakesEscape() const override;

    // Steps since the stage was cleared; -1 while it is played.
    int32_t ClearSteps() const { return clearSteps_; }
    const StageRecord& Record() const { return record_; }
    // The figures of a play stage's clear, while its banner stands.
    const std::optional<StageTally>& Tally() const { return tally_; }
    const PauseMenu& Pause() const { return pause_; }
    const StageTitle& Title() const { return title_; }
    // The hit the hero took in the latest step, if any.
    const std::optional<HeroHit>& Hit() const { return thingStage_.hit; }
    const Hud& StageHud() const { return hud_; }
    // Whether an assist was on at the start of the stage's play or in any
    // step of it: its clear then keeps no best.
    bool Assisted() const { return assisted_; }
    // The ghost of the file's best run, where it stands now, if it shows.
    std::optional<RunPose> GhostPose() const { return runs_.Ghost(record_.steps); }
    // WATCH BEST RUN: the kept run plays the stage, which saves nothing.
    bool Watching() const { return runs_.Watching(); }

    // Owned by `entities`, not by this field.
    LevelNamespace::Level* level = nullptr;
    EntityManager entities;

    // Whether stages rebuild themselves when their files change (--watch).
    static void WatchFiles(bool on);

private:
    // Reads the level file and watches it and its pictures; false, with the
    // reason in the console, for a file the game refuses.
    bool ReadStage(LevelFile::LevelData& data);
    void BuildStage(const LevelFile::LevelData* data);
    void ClearStage();
    // Reads the level file again and, if it loads, rebuilds the stage; the
    // hero keeps his place if asked and it is still on the level.
    void Rebuild(bool keepHero);
    void RebuildWhenAsked();
    // The pause key (and Escape where the stage takes it) opens the pause
    // menu; while it is open the stage and its sounds stand still. True
    // while the stage is paused.
    bool UpdatePause();
    void ActOnPauseChoice(PauseMenu::Choice choice);
    void StartClear();
    // The played file moves on past `cleared` (a stage of the stage table,
    // or null), keeping the clear's gems and time as bests if asked.
    void MoveFileOn(const StageRow* cleared, bool keepBests);
    void SkipStage();
    // Under the banner: true once it has stood long enough, or was skipped.
    bool ClearOver();
    void LeaveAfterClear();
    void ReleaseClear();
    void DrawBanner() const;
    // A fall below the stage, or the last life lost.
    void CheckLoss();
    // The things of a play stage, all but those taken for good; made anew
    // when the hero comes back at his checkpoint.
    void PlaceThings(const LevelFile::LevelData& data);
    void SpawnThings();
    // True when the hero came back at his checkpoint in this step.
    bool RespawnThingsWithHero();
    // The play camera follows the hero, or with `snap` settles on him at once.
    void AimCamera(bool snap);

    int32_t clearSteps_ = -1;
    // The hero's x at the end of the last step: the clear needs him to cross the exit line.
    std::optional<float> heroX_;
    const StageRow* nextStage_ = nullptr;
    MenuText bannerText_;
    std::optional<StageTally> tally_;
    uint32_t clearHeld_ = 0;  // the buttons held at the last step under the banner
    StageTimer timer_;
    std::unique_ptr<Sound> clearTune_;
    Hud hud_;
    PauseMenu pause_;
    StageTitle title_;
    std::vector<PlacedThing> placements_;
    StageRecord record_;
    ThingStage thingStage_{record_};
    PlayCamera camera_{TheCamera()};
    int32_t heroRespawns_ = 0;
    LevelWatch watch_;
    int32_t watchSteps_ = 0;
    bool assisted_ = false;
    StageRuns runs_;
};

// The stage screen itself, for the trace.
const State_Game& TheStateGame();
