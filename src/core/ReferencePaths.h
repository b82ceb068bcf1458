#pragma once

// The plain reference paths: every looking shape tested against every other
// shape, every cell and background copy drawn whether visible or not (but
// for repeated copies wholly left of the screen, which can be billions), the
// picture drawn straight into the window at its full size every step, and a
// frame loop that never sleeps. The game's results are the same either way;
// `--reference` turns them on so that the fast paths can be measured and
// checked against them.
bool ReferencePaths();
void UseReferencePaths(bool on);
