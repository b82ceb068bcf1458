#include "screens/State_Game.h"
#include "screens/Screens.h"

namespace {
State_Game gScreen;
}
GameState* const gStateGame = &gScreen;

void State_Game::Enter() {}
void State_Game::Leave() {}
void State_Game::Update(float) {}
void State_Game::Draw() {}
