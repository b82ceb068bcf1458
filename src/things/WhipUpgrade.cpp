#include "things/WhipUpgrade.h"

const ThingKind& WhipUpgradeKind() {
    static const ThingKind kind =
        PlacedKind("whip", "raises the whip: leather, chain, rune", {}, MakerOf<WhipUpgrade>());
    return kind;
}

void WhipUpgrade::Collect(HeroContact& hero) { hero.RaiseWhip(); }
