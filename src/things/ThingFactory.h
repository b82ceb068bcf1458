#pragma once
#include "things/Thing.h"
#include <memory>

// The thing of a placement's kind, or null for a kind the game cannot make.
std::unique_ptr<Thing> MakeThing(const PlacedThing& placed, StageRecord& record);
