#pragma once

// The one process-wide music handle that the menu and the stage share: the
// menu's music while the menu runs, the chosen stage's music after it. These
// call the sound library directly, not through the Sound wrapper.

// Releases the music held before (so that no handle is overwritten while
// its sound is still loaded), then loads `gamePath` into the handle.
void ReplaceStageMusic(const char* gamePath);
// Plays the held music on a free channel, looping when asked.
void PlayStageMusic(bool loop);
// Stops the channel of the last PlayStageMusic, if any.
void StopStageMusic();
// The game path of the music the handle holds; null when it holds none.
const char* StageMusicPath();
