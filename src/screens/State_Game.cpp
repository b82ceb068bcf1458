#include "screens/State_Game.h"
#include "core/Trace.h"
#include "screens/Screens.h"
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
}
GameState* const gStateGame = &gScreen;

void State_Game::Enter() {
    AddLevelTraceField();
    level = new LevelNamespace::Level();
    entities.Add(level);
    level->Load(gLevelName);
}

void State_Game::Leave() {}

void State_Game::Update(float step) {
    entities.Update(step);
}

void State_Game::Draw() {
    entities.Draw();
}
