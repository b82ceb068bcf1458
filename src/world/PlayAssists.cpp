#include "world/PlayAssists.h"

namespace {
PlayAssists gAssists;
}

PlayAssists& ThePlayAssists() { return gAssists; }
