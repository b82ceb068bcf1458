#pragma once
#include "things/Walker.h"

// A walker in armour: slower, taller, and only the chain or rune whip hurts
// it (it takes `hp` of their cracks, 3 unless its marker says otherwise).
class Knight : public Walker {
public:
    Knight(const PlacedThing& placed, StageRecord& record);
};
