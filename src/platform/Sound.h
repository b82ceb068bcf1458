#pragma once
#include "platform/AudioSystem.h"

// One loaded sound or music file and the channel it last played on. While the
// sound switch is off every operation returns at once and does nothing.
class Sound {
public:
    Sound(const char* path, bool loop);
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
    ~Sound() { Release(); }

    void Play();
    void Stop();
    // Stops and frees the loaded file; the destructor does it too, and a
    // second call does nothing.
    void Release();

    bool Loaded() const;
    // Whether the channel of the last Play still plays this sound.
    bool Playing() const;

private:
    Audio::Sound* sound_ = nullptr;
    Audio::Channel* channel_ = nullptr;
    bool loop_ = false;
};

// Creates and initialises the sound system with 32 channels, then turns the
// sound switch on. Without an audio device the game runs silently.
void InitSoundSystem();
// The once-a-step update every screen with sound calls; nothing before
// the sound system exists.
void UpdateSoundSystem();
void SetSoundEnabled(bool enabled);
bool SoundEnabled();
// The loudness of the music and of the effects, each 0 (silent) to 1 (as
// the files are); kept for the sound system when it does not exist yet.
void SetVolumes(float music, float effects);
// What the mixer plays them at now, 0 to 128; -1 without a device.
int MixerMusicVolume();
int MixerEffectsVolume();
// How many sounds are loaded and not yet released.
int LiveSoundCount();
// Whether a tune is playing now (traced, so that tests can hear each screen).
bool MusicPlaying();
// Holds the music and every effect where they are while a stage is paused.
void PauseAllSound(bool paused);
