#pragma once
#include <string>

// A movie that keeps the picture moving for `steps` steps: the hero walks
// right for the first half and left for the second, holding ButtonA (so
// that walls let it pass and every level, even one solid all through, can
// be crossed) and rising with ButtonB for 60 steps out of every 100 (4
// pixels a step up, then 6 a step down: it ends each round where it began).
// The camera follows it sideways and up and down all the way.
std::string WalkMovie(long steps);
