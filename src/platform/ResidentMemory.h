#pragma once

// The resident memory of this process in KiB, from /proc/self/statm; -1
// where the system does not tell.
long ResidentMemoryKb();
