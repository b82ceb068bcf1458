#pragma once

// Registers every field of the trace lines, in their order on the line. The
// fields read what the game's parts show through their getters, so that no
// part of the game writes JSON itself.
void AddTraceFields();
