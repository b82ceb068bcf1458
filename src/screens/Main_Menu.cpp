#include "screens/Main_Menu.h"
#include "screens/Screens.h"

namespace {
Main_Menu gScreen;
}
GameState* const gMainMenu = &gScreen;

void Main_Menu::Enter() {}
void Main_Menu::Leave() {}
void Main_Menu::Update(float) {}
void Main_Menu::Draw() {}
