#pragma once

class GameState;

// The four screens, each one long-lived object made before the program
// starts; other parts reach them through these pointers.
extern GameState* const gTitleScreen;
extern GameState* const gMainMenu;
extern GameState* const gStateGame;
extern GameState* const gGameOver;
