#include "screens/State_Game.h"
#include "core/Log.h"
#include "core/StateStack.h"
#include "core/Trace.h"
#include "player/Player.h"
#include "screens/StageMusic.h"
#include "screens/Screens.h"
#include "world/Camera.h"
#include "world/Level.h"
#include "world/LevelName.h"
#include <algorithm>

namespace {
State_Game gScreen;

// The trace names the stage from the moment play starts.
void AddLevelTraceField() {
    static bool added = false;
    if (added) return;
    added = true;
    AddTraceField("level", [] { return JsonString(TheLevelName()); });
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
}
GameState* const gStateGame = &gScreen;

void State_Game::Enter() {
    AddLevelTraceField();
    level = new LevelNamespace::Level();
    entities.Add(level);
    level->Load(TheLevelName());
    PlayStageMusic(true);
    PrintStatus("Keys: arrows walk, X rises, Z drops through, Esc quits");
}

// The level, the hero and with them their pictures (also the animated tile
// pictures the level put in the process-wide table), sounds and collision
// shapes go before the next screen is entered.
void State_Game::Leave() {
    StopStageMusic();
    entities.Clear();
    LevelNamespace::ReleaseAnimatedTilePictures();
    level = nullptr;
}

void State_Game::Update(float step) {
    entities.Update(step);
    if (HeroFellOut(level)) TheStateStack().ChangeState(gGameOver);
}

void State_Game::Draw() {
    entities.Draw();
}
