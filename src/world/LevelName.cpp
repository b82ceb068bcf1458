#include "world/LevelName.h"
#include <cstdio>

char gLevelName[kLevelNameSize] = "";

void SetLevelName(const char* name) {
    snprintf(gLevelName, sizeof gLevelName, "%s", name);
}
