#include "things/Knight.h"

Knight::Knight(const PlacedThing& placed, StageRecord& record)
    : Walker(placed, record, Gait{0.5f, EnemyArt::kKnightWalk, -1, 20.0f, 38.0f, 2}) {}
