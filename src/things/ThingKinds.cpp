#include "things/ThingPlacement.h"

// Each kind's own .cpp defines its entry.
const ThingKind& WalkerKind();
const ThingKind& FlierKind();
const ThingKind& ThrowerKind();
const ThingKind& BoneKind();
const ThingKind& KnightKind();
const ThingKind& GuardianKind();
const ThingKind& GateKind();
const ThingKind& SpikesKind();
const ThingKind& MovingPlatformKind();
const ThingKind& CrumblingPlatformKind();
const ThingKind& HeartKind();
const ThingKind& WhipUpgradeKind();
const ThingKind& GemKind();
const ThingKind& LanternKind();

// A new kind is one line here and one above.
const std::vector<const ThingKind*>& EveryThingKind() {
    static const std::vector<const ThingKind*> kinds = {
        &WalkerKind(),   &FlierKind(),       &ThrowerKind(), &BoneKind(),           &KnightKind(),
        &GuardianKind(), &GateKind(),        &SpikesKind(),  &MovingPlatformKind(), &CrumblingPlatformKind(),
        &HeartKind(),    &WhipUpgradeKind(), &GemKind(),     &LanternKind(),
    };
    return kinds;
}
