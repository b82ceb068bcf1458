#include "things/Heart.h"
#include "player/Player.h"

void Heart::Collect(Player& hero) { hero.Heal(1); }
