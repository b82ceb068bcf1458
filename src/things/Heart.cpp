#include "things/Heart.h"

const ThingKind& HeartKind() {
    static const ThingKind kind = PlacedKind("heart", "heals one heart", {}, MakerOf<Heart>());
    return kind;
}

void Heart::Collect(HeroContact& hero) { hero.Heal(1); }
