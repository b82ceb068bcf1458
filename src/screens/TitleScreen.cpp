#include "screens/TitleScreen.h"
#include "screens/Screens.h"

namespace {
TitleScreen gScreen;
}
GameState* const gTitleScreen = &gScreen;

void TitleScreen::Enter() {}
void TitleScreen::Leave() {}
void TitleScreen::Update(float) {}
void TitleScreen::Draw() {}
