#include "things/WhipUpgrade.h"
#include "player/Player.h"

void WhipUpgrade::Collect(Player& hero) { hero.TheWhip().Raise(); }
