#include "screens/State_Game.h"
#include "core/StateStack.h"
#include "core/Trace.h"
#include "player/Player.h"
#include "screens/StageMusic.h"
#include "screens/Screens.h"
#include "world/Camera.h"
#include "world/Level.h"
#include "world/LevelName.h"

namespace {
State_Game gScreen;

// The trace names the stage from the moment play starts.
void AddLevelTraceField() {
    static bool added = false;
    if (added) return;
    added = true;
    AddTraceField("level", [] { return JsonString(gLevelName); });
}

// The stage is lost once the hero has fallen a whole screen height below
// the lowest line the camera may show.
constexpr float kFallOutDepth = 240.0f;

bool HeroFellOut() {
    const Player* hero = Player::Current();
    return hero && hero->position.y > Camera::Maximum().y + kFallOutDepth;
}
}
GameState* const gStateGame = &gScreen;

void State_Game::Enter() {
    AddLevelTraceField();
    level = new LevelNamespace::Level();
    entities.Add(level);
    level->Load(gLevelName);
    PlayStageMusic(true);
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
    if (HeroFellOut()) TheStateStack().ChangeState(gGameOver);
}

void State_Game::Draw() {
    entities.Draw();
}
