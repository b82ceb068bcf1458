#include "screens/State_Game.h"
#include "base/Log.h"
#include "base/SharedConstants.h"
#include "core/FrameLoop.h"
#include "core/StateStack.h"
#include "player/Player.h"
#include "screens/Main_Menu.h"
#include "screens/OptionsScreen.h"
#include "campaign/AssistedBests.h"
#include "campaign/BestRunRecords.h"
#include "campaign/SaveProgress.h"
#include "campaign/Settings.h"
#include "campaign/SettingsEffects.h"
#include "campaign/StageMusic.h"
#include "campaign/StageTable.h"
#include "screens/RunGhost.h"
#include "screens/Screens.h"
#include "world/Camera.h"
#include "world/Level.h"
#include "world/LevelFile.h"
#include "world/LevelName.h"
#include "world/PlayAssists.h"
#include "platform/Input.h"
#include "platform/Sound.h"
#include <algorithm>
#include <string>

namespace {
State_Game gScreen;
bool gWatchFiles = false;

// The stage is lost once the hero's head has dropped below the lowest line
// the camera can show and below the level's main grid: a level whose bounds
// end above its ground (or that has no bounds) still plays.
bool HeroFellOut(const LevelNamespace::Level* level) {
    const Player* hero = ThePlayer();
    if (!hero || !level) return false;
    const float top = hero->position.y - float(Player::kFrameHeight);
    return top > std::max(TheCamera().Maximum().y, level->MainGridBottom());
}

// The stage is cleared at its gate: the hero moves over the exit line in
// this step, with his whole body within the main grid's rows and his feet
// not inside a wall. Flying over the stage, sinking into its ground or below
// it, or starting past the line does not clear it.
bool HeroCrossedExit(const LevelNamespace::Level* level, std::optional<float> lastX) {
    const Player* hero = ThePlayer();
    if (!hero || !level || !lastX) return false;
    std::optional<float> exit = level->ExitX();
    const Vector3& feet = hero->position;
    if (!exit || *lastX > *exit || feet.x <= *exit) return false;
    const float top = feet.y - float(Player::kFrameHeight);
    return top >= 0.0f && feet.y <= level->MainGridBottom() && !level->InWall(Vector3(feet.x, feet.y - 1.0f, 0.0f));
}

// The stage's row of the stage table; 0 for a level that is in none.
size_t RowOf(const StageRow* stage) { return stage ? size_t(stage - StageRows()) : 0; }

std::optional<float> HeroX() {
    const Player* hero = ThePlayer();
    return hero ? std::optional<float>(hero->position.x) : std::nullopt;
}

// STAGE CLEAR, 11 letters of 8 pixels, in the middle of the screen.
constexpr int32_t kBannerX = (kScreenWidth - 11 * 8) / 2;
constexpr int32_t kBannerY = (kScreenHeight - 8) / 2;
constexpr int32_t kBannerLineHeight = 12;
// The tally's lines start at one x, room made for the longest with NEW BEST.
constexpr int32_t kTallyX = (kScreenWidth - 24 * 8) / 2;
}
GameState* const gStateGame = &gScreen;
const State_Game& TheStateGame() { return gScreen; }

// A watched run plays without assists, as it was played.
void State_Game::Enter() {
    const bool watch = TakeWatchRun();
    if (watch) ThePlayAssists() = PlayAssists();
    runs_.Enter(TheLevelName(), watch);
    LevelFile::LevelData data;
    const bool read = ReadStage(data);
    BuildStage(read ? &data : nullptr);
    AimCamera(true);
    heroX_ = HeroX();
    PlayStageMusic(true);
    const StageRow* row = FindStageOfLevel(TheLevelName());
    const bool playing = TakesEscape();
    title_.Show(read && row ? row->name : nullptr, playing);
    if (playing) {
        hud_.Load();
        timer_.Load();
        PrintStatus(
            "Keys: arrows walk, Space/X jump, Z whip, Down and jump drop off a ledge, P or Esc pauses, "
            "F2 outlines, F3 console");
    } else {
        if (ThePlayer()) ShowOverlaysAsEngine();
        PrintStatus("Keys: arrows walk, X rises, Z drops through, P pauses, Esc quits");
    }
}

// The stage goes before the next screen is entered. After a clear the next
// stage's level name and music are set here, as the menu does on leaving.
void State_Game::Leave() {
    if (pause_.IsOpen()) {
        pause_.Close();
        PauseAllSound(false);
    }
    StopStageMusic();
    ClearStage();
    ReleaseClear();
    hud_.Release();
    timer_.Release();
    title_.Release();
    if (nextStage_) {
        ReleaseStagePicture();
        SetLevelName(nextStage_->levelName);
        ReplaceStageMusic(nextStage_->music);
    }
    nextStage_ = nullptr;
    if (runs_.Watching()) ApplyAssistSettings(TheSettings().values);
    runs_.Leave();
}

void State_Game::Update(float step) {
    thingStage_.hit.reset();
    if (clearSteps_ >= 0) {
        // The hero stands still under the banner; nothing is updated.
        if (ClearOver()) LeaveAfterClear();
        return;
    }
    if (UpdatePause()) return;
    const bool playing = ThePlayer() && ThePlayer()->Playing();
    if (playing) {
        ++record_.steps;
        assisted_ = assisted_ || ThePlayAssists().Any();
    }
    title_.Step(ThePlayer() ? std::optional<Vector3>(ThePlayer()->position) : std::nullopt);
    if (playing) runs_.PlayStep(record_.steps, [&] { entities.Update(step); });
    else entities.Update(step);
    hud_.Step(record_);
    AimCamera(RespawnThingsWithHero());
    RebuildWhenAsked();
    CheckLoss();
    if (playing && ThePlayer() && TheStateStack().CurrentState() == this)
        if (std::optional<int32_t> split = runs_.AfterStep(record_.steps, *ThePlayer(), record_.litLanterns))
            hud_.ShowSplit(*split);
    if (TheStateStack().CurrentState() == this && HeroCrossedExit(level, heroX_)) StartClear();
    heroX_ = HeroX();
}

// Only a button pressed under the banner skips it, not one held since the
// stage was played.
bool State_Game::ClearOver() {
    const uint32_t held = TheInput().held & (ButtonA | ButtonB);
    const bool pressed = (held & ~clearHeld_) != 0;
    clearHeld_ = held;
    ++clearSteps_;
    return clearSteps_ >= kClearBannerSteps || (tally_ && pressed && clearSteps_ > kSkipAfterSteps);
}

bool State_Game::UpdatePause() {
    const Input& input = TheInput();
    if (pause_.IsOpen()) {
        ActOnPauseChoice(pause_.Update(input.held, input.commands));
        return true;
    }
    const uint32_t pauseKeys = TakesEscape() ? PauseGame | EscapeKey : PauseGame;
    if (!(input.commands & pauseKeys)) return false;
    pause_.Open(input.held, TakesEscape() && ThePlayAssists().Any());
    PauseAllSound(true);
    return true;
}

void State_Game::ActOnPauseChoice(PauseMenu::Choice choice) {
    using Choice = PauseMenu::Choice;
    if (choice == Choice::None) return;
    // The options open over the paused stage, which waits under them.
    if (choice == Choice::Options) {
        TheStateStack().PushState(gOptionsScreen);
        return;
    }
    pause_.Close();
    PauseAllSound(false);
    if (choice == Choice::Restart) Rebuild(false);
    if (choice == Choice::Skip) SkipStage();
    if (choice == Choice::Quit) TheStateStack().ChangeState(gMainMenu);
    if (choice == Choice::EndGame) RequestQuit();
}

bool State_Game::TakesEscape() const { return ThePlayer() && ThePlayer()->Playing(); }

// By the engine's rules a fall below the stage is GAME OVER at once; in a
// play stage it costs a life, and the last one lost is GAME OVER with the
// menu opening on the played file afterwards.
void State_Game::CheckLoss() {
    Player* hero = ThePlayer();
    const bool playing = hero && hero->Playing();
    if (HeroFellOut(level)) {
        if (!playing) {
            TheStateStack().ChangeState(gGameOver);
            return;
        }
        hero->Die();
    }
    if (playing && hero->OutOfLives()) {
        AskForRetry();
        TheStateStack().ChangeState(gGameOver);
    }
}

void State_Game::Draw() { entities.Draw(); }

// Under STAGE CLEAR, in a play stage, the tally, a line a figure, with NEW
// BEST after each that beats the file's best.
void State_Game::DrawBanner() const {
    bannerText_.Draw("STAGE CLEAR", kBannerX, kBannerY, true);
    if (!tally_) return;
    int32_t y = kBannerY;
    for (const TallyLine& line : TallyLines(*tally_)) {
        y += kBannerLineHeight;
        bannerText_.Draw(line.text, kTallyX, y, false);
        if (line.mark)
            bannerText_.Draw(line.mark, kTallyX + int32_t(line.text.size() + 2) * MenuText::kLetterWidth, y, true);
    }
}

void State_Game::DrawOverOutlines() {
    if (ThePlayer()) hud_.Draw(*ThePlayer(), record_);
    if (ThePlayer() && ThePlayer()->Playing()) timer_.Draw(record_.steps);
    title_.Draw();
    if (bannerText_.Loaded()) DrawBanner();
    pause_.Draw();
}

void State_Game::WatchFiles(bool on) { gWatchFiles = on; }

bool State_Game::ReadStage(LevelFile::LevelData& data) {
    const std::string path = LevelNamespace::LevelGamePath(TheLevelName());
    const FileStamp beforeRead = StampOfGameFile(path);
    if (!LevelNamespace::ReadLevelOfName(TheLevelName(), data)) {
        // A stage that did not load on entry is watched too, so that fixing
        // its file brings it in; a failed reload keeps the watch it had.
        if (!level) watch_.Watch(path, beforeRead, {});
        return false;
    }
    watch_.Watch(path, beforeRead, LevelFile::PictureFiles(data));
    return true;
}

// The level and, once it is built, the hero join the entity manager in that
// order; without a file the level stays empty and no hero is made.
void State_Game::BuildStage(const LevelFile::LevelData* data) {
    auto owned = std::make_unique<LevelNamespace::Level>();
    level = owned.get();
    entities.Add(std::move(owned));
    if (!data) return;
    level->Build(*data);
    PlaceThings(*data);
}

void State_Game::PlaceThings(const LevelFile::LevelData& data) {
    placements_.clear();
    record_ = StageRecord();
    runs_.Restart();
    Player* hero = ThePlayer();
    assisted_ = hero && hero->Playing() && ThePlayAssists().Any();
    if (!hero || !hero->Playing()) return;
    thingStage_.level = level;
    thingStage_.hero = HeroContact(hero);
    heroRespawns_ = hero->Respawns();
    std::vector<std::string> problems;
    placements_ = FindThings(data, problems);
    const std::string line = ProblemLine(problems);
    if (!line.empty()) PrintStatus("Things: %s; those fields keep their defaults", line.c_str());
    const std::string unmade = UnmadeThings(placements_);
    if (!unmade.empty()) PrintStatus("Things: the game cannot make %s; they are left out", unmade.c_str());
    record_.gemTotal = GemTotal(placements_);
    // A foe is what the whip beats in a number of hits.
    for (const PlacedThing& placed : placements_) record_.foeTotal += placed.kind->Default("hp") != 0;
    SpawnThings();
    entities.Add(std::make_unique<RunGhost>(runs_, record_));
}

void State_Game::SpawnThings() {
    for (const PlacedThing& placed : placements_)
        if (!record_.takenForGood.count(*placed.index))
            if (std::unique_ptr<Thing> thing = MakeThing(placed, thingStage_)) entities.Add(std::move(thing));
}

bool State_Game::RespawnThingsWithHero() {
    const Player* hero = ThePlayer();
    if (!hero || hero->Respawns() == heroRespawns_) return false;
    heroRespawns_ = hero->Respawns();
    for (Entity* entity : entities.Entities())
        if (dynamic_cast<Thing*>(entity)) entities.Remove(entity);
    SpawnThings();
    return true;
}

// The things learn what the picture about to be drawn shows, and see it in
// their next step. By the engine's rules the hero moves the camera himself.
void State_Game::AimCamera(bool snap) {
    const Player* hero = ThePlayer();
    if (!hero || !hero->Playing()) return;
    const CameraTarget target{hero->position, hero->Facing(), hero->OnGround()};
    if (snap) camera_.Snap(target);
    else camera_.Step(target);
    thingStage_.view = TheCamera().View();
}

// The level, the hero and with them their pictures (also the animated tile
// pictures the level put in the process-wide table), sounds and collision
// shapes go.
void State_Game::ClearStage() {
    entities.Clear();
    LevelNamespace::ReleaseAnimatedTilePictures();
    level = nullptr;
}

// The file is read before anything goes: one that does not load leaves the
// stage as it was. The old pictures are released before the new ones load,
// so that a changed picture is read from the disk again.
void State_Game::Rebuild(bool keepHero) {
    LevelFile::LevelData data;
    if (!ReadStage(data)) return;
    std::optional<Vector3> place;
    if (keepHero && ThePlayer()) place = ThePlayer()->position;
    ClearStage();
    BuildStage(&data);
    Player* hero = ThePlayer();
    if (hero && place && level->Contains(*place)) {
        hero->position = *place;
        hero->PlaceShapes();
        runs_.Spoil();
    }
    AimCamera(true);
    // A hero moved by the rebuild has not walked over the exit line.
    heroX_ = HeroX();
    PrintStatus("Level %s %s", LevelNamespace::LevelGamePath(TheLevelName()).c_str(),
                keepHero ? "reloaded" : "restarted");
}

void State_Game::RebuildWhenAsked() {
    const uint32_t commands = TheInput().commands;
    if (commands & RestartStage) Rebuild(false);
    else if (commands & ReloadStage) Rebuild(true);
    else if (gWatchFiles && ++watchSteps_ >= kWatchEverySteps) {
        watchSteps_ = 0;
        if (watch_.Changed()) Rebuild(true);
    }
}

// An assisted clear moves the file on and keeps its bests apart from the
// file's own; a watched one changes nothing.
void State_Game::StartClear() {
    clearSteps_ = 0;
    StopStageMusic();
    bannerText_.Load();
    clearTune_ = std::make_unique<Sound>("music\\DH3- Stage Clear.mid", false);
    clearTune_->Play();
    const StageRow* cleared = FindStageOfLevel(TheLevelName());
    clearHeld_ = TheInput().held & (ButtonA | ButtonB);
    if (ThePlayer() && ThePlayer()->Playing()) {
        SaveFileEntry played;
        const bool bests = !assisted_ && !runs_.Watching() && cleared && PlayedFileNow(played);
        tally_ = MakeTally(record_, *ThePlayer(), bests ? &played : nullptr, RowOf(cleared));
        tally_->assisted = assisted_;
        runs_.Clear(tally_->newBestTime);
        if (assisted_ && !runs_.Watching() && cleared && PlayedFileNow(played))
            KeepAssistedBest(FileIdentity(played), cleared->levelName, record_.steps, record_.gemsFound);
    }
    if (!runs_.Watching()) MoveFileOn(cleared, !assisted_);
}

void State_Game::MoveFileOn(const StageRow* cleared, bool keepBests) {
    nextStage_ = cleared ? NextStage(cleared) : nullptr;
    SaveStageCleared(nextStage_ ? nextStage_->stage : 0, RowOf(cleared), keepBests ? record_.gemsFound : 0,
                     keepBests ? record_.steps : 0);
}

// The file moves on as after a clear, without its banner or a best.
void State_Game::SkipStage() {
    if (!runs_.Watching()) MoveFileOn(FindStageOfLevel(TheLevelName()), false);
    LeaveAfterClear();
}

// A next stage whose level file does not load would leave the player in an
// empty stage without a hero: the menu comes instead. A replay goes back to
// the menu too, which opens the file's STAGES page again.
void State_Game::LeaveAfterClear() {
    if (ReplayedRow() >= 0) nextStage_ = nullptr;
    LevelFile::LevelData data;
    if (nextStage_ && !LevelNamespace::ReadLevelOfName(nextStage_->levelName, data, "; back to the menu"))
        nextStage_ = nullptr;
    TheStateStack().ChangeState(nextStage_ ? gStateGame : gMainMenu);
}

void State_Game::ReleaseClear() {
    clearSteps_ = -1;
    tally_.reset();
    bannerText_.Release();
    clearTune_.reset();
}
