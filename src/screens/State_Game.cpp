#include "screens/State_Game.h"
#include "core/Log.h"
#include "core/SharedConstants.h"
#include "core/StateStack.h"
#include "core/Trace.h"
#include "player/Player.h"
#include "screens/Main_Menu.h"
#include "screens/SaveProgress.h"
#include "screens/StageMusic.h"
#include "screens/StageTable.h"
#include "screens/Screens.h"
#include "world/Camera.h"
#include "world/Level.h"
#include "world/LevelFile.h"
#include "world/LevelName.h"
#include "platform/Input.h"
#include <algorithm>

namespace {
State_Game gScreen;
bool gWatchFiles = false;

// The trace names the stage from the moment play starts, and counts the
// steps since it was cleared.
void AddLevelTraceFields() {
    AddTraceField("level", [] { return JsonString(TheLevelName()); });
    AddTraceField("clear", [] {
        bool cleared = TheStateStack().CurrentState() == gStateGame && gScreen.ClearSteps() >= 0;
        return cleared ? JsonNumber(gScreen.ClearSteps()) : std::string();
    });
}

// The stage is lost once the hero's head has dropped below the lowest line
// the camera can show and below the level's main grid: a level whose bounds
// end above its ground (or that has no bounds) still plays.
bool HeroFellOut(const LevelNamespace::Level* level) {
    const Player* hero = ThePlayer();
    if (!hero || !level) return false;
    const float top = hero->position.y - float(Player::kFrameHeight);
    return top > std::max(Camera::Maximum().y, level->MainGridBottom());
}

bool HeroPassedExit(const LevelNamespace::Level* level) {
    const Player* hero = ThePlayer();
    if (!hero || !level) return false;
    std::optional<float> exit = level->ExitX();
    return exit && hero->position.x > *exit;
}

// STAGE CLEAR, 11 letters of 8 pixels, in the middle of the screen.
constexpr int32_t kBannerX = (kScreenWidth - 11 * 8) / 2;
constexpr int32_t kBannerY = (kScreenHeight - 8) / 2;
}
GameState* const gStateGame = &gScreen;

void State_Game::Enter() {
    AddLevelTraceFields();
    LevelFile::LevelData data;
    const bool read = ReadStage(data);
    BuildStage(read ? &data : nullptr);
    PlayStageMusic(true);
    PrintStatus("Keys: arrows walk, X rises, Z drops through, Esc quits");
}

// The stage goes before the next screen is entered. After a clear the next
// stage's level name and music are set here, as the menu does on leaving.
void State_Game::Leave() {
    StopStageMusic();
    ClearStage();
    ReleaseClear();
    if (nextStage_) {
        ReleaseStagePicture();
        SetLevelName(nextStage_->levelName);
        ReplaceStageMusic(nextStage_->music);
    }
    nextStage_ = nullptr;
}

void State_Game::Update(float step) {
    if (clearSteps_ >= 0) {
        // The hero stands still under the banner; nothing is updated.
        if (++clearSteps_ >= kClearBannerSteps) TheStateStack().ChangeState(nextStage_ ? gStateGame : gMainMenu);
        return;
    }
    entities.Update(step);
    RebuildWhenAsked();
    if (HeroFellOut(level)) TheStateStack().ChangeState(gGameOver);
    else if (HeroPassedExit(level)) StartClear();
}

void State_Game::Draw() {
    entities.Draw();
    if (bannerFont_) DrawMenuWord(*bannerFont_, "STAGE CLEAR", kBannerX, kBannerY, true);
}

void State_Game::WatchFiles(bool on) { gWatchFiles = on; }

bool State_Game::ReadStage(LevelFile::LevelData& data) {
    const std::string path = LevelNamespace::LevelGamePath(TheLevelName());
    const FileStamp beforeRead = StampOfGameFile(path);
    std::string reason;
    if (!LevelNamespace::ReadLevelOfName(TheLevelName(), data, reason)) {
        PrintStatus("Level %s not loaded: %s", path.c_str(), reason.c_str());
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
    level = new LevelNamespace::Level();
    entities.Add(level);
    if (data) level->Build(*data);
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
    }
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

void State_Game::StartClear() {
    clearSteps_ = 0;
    StopStageMusic();
    bannerFont_.emplace("sprites\\DH3font1.png", Colors::White, 8, 8, 121);
    clearTune_ = std::make_unique<Sound>("music\\DH3- Stage Clear.mid", false);
    clearTune_->Play();
    const StageRow* cleared = FindStageOfLevel(TheLevelName());
    nextStage_ = cleared ? NextStage(cleared) : nullptr;
    SaveStageCleared(nextStage_ ? nextStage_->stage : 0);
}

void State_Game::ReleaseClear() {
    clearSteps_ = -1;
    bannerFont_.reset();
    if (clearTune_) clearTune_->Release();
    clearTune_.reset();
}
