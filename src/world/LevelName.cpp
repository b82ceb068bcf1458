#include "world/LevelName.h"
#include <cstdio>

namespace {
char gLevelName[kLevelNameSize] = "";
}

const char* TheLevelName() { return gLevelName; }

void SetLevelName(const char* name) { snprintf(gLevelName, sizeof gLevelName, "%s", name); }
