#include "core/ReferencePaths.h"

namespace {
bool gReferencePaths = false;
}

bool ReferencePaths() { return gReferencePaths; }
void UseReferencePaths(bool on) { gReferencePaths = on; }
