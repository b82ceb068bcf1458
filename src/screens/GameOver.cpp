#include "screens/GameOver.h"
#include "screens/Screens.h"

namespace {
GameOver gScreen;
}
GameState* const gGameOver = &gScreen;

void GameOver::Enter() {}
void GameOver::Leave() {}
void GameOver::Update(float) {}
void GameOver::Draw() {}
