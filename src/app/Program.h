#pragma once

// The whole program: options, data directory, SDL, window, set-up and the
// frame loop. Returns the process exit status.
int RunProgram(int argc, char** argv);
