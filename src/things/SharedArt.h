#pragma once
#include <memory>

// The one picture-and-sound set of a type (EnemyArt, GuardianArt, ThingArt),
// loaded when the first thing that draws with it asks and let go when the
// last share of it goes.
template <typename Art>
std::shared_ptr<Art> ShareArt() {
    static std::weak_ptr<Art> shared;
    std::shared_ptr<Art> art = shared.lock();
    if (!art) {
        art = std::make_shared<Art>();
        shared = art;
    }
    return art;
}
