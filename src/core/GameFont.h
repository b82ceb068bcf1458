#pragma once
#include "platform/Sprite.h"

// The game's one 8 by 8 font, sprites\DH3font1.png: loaded by its first
// holder and let go by its last, so that the menus, the console and the
// player's message line draw from one picture. Each TakeGameFont is matched
// by one ReleaseGameFont.
void TakeGameFont();
void ReleaseGameFont();
// The font, while it is taken.
const Sprite& GameFont();
