#include "things/Walker.h"

namespace {
// A walker in armour: slower, taller, and only the chain or rune whip hurts
// it (it takes `hp` of their cracks, 3 unless its marker says otherwise).
class Knight : public Walker {
public:
    Knight(const PlacedThing& placed, ThingStage& stage) : Walker(placed, stage, Gait{0.5f, -1, 20.0f, 38.0f, 2}) {}
};
}

const ThingKind& KnightKind() {
    static const ThingKind kind =
        PlacedKind("knight", "an armoured walker only the chain or rune whip hurts",
                   {{"range", 0, 960, 48, "pixels it walks each way from its place (0: to the walls and edges)"},
                    WithDefault(kHitPointsField, 3),
                    kDropField},
                   MakerOf<Knight>(),
                   {{FrameLay::Figure, "knight upper", "knight legs apart", false},
                    {FrameLay::Figure, "knight upper", "knight legs passing", false}});
    return kind;
}
