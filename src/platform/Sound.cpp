#include "platform/Sound.h"
#include "base/Log.h"
#include "platform/ErrorBox.h"
#include "platform/Files.h"

namespace {
Audio::System* gSoundSystem = nullptr;
bool gSoundEnabled = false;
float gMusicVolume = 1.0f;
float gEffectsVolume = 1.0f;
}

void SetVolumes(float music, float effects) {
    gMusicVolume = music;
    gEffectsVolume = effects;
    if (gSoundSystem) gSoundSystem->setVolumes(music, effects);
}

int MixerMusicVolume() { return gSoundSystem ? gSoundSystem->mixerMusicVolume() : -1; }
int MixerEffectsVolume() { return gSoundSystem ? gSoundSystem->mixerEffectsVolume() : -1; }

void SetSoundEnabled(bool enabled) { gSoundEnabled = enabled; }
bool SoundEnabled() { return gSoundEnabled; }

Audio::System* TheSoundSystem() { return gSoundSystem; }

int LiveSoundCount() { return gSoundSystem ? gSoundSystem->liveSounds() : 0; }
bool MusicPlaying() { return gSoundSystem && gSoundSystem->musicPlaying(); }

void PauseAllSound(bool paused) {
    if (gSoundSystem) gSoundSystem->setPaused(paused);
}

// The switch goes on only when a device opened: without one the game runs
// silently and says so once, instead of reporting every sound it loads.
void InitSoundSystem() {
    if (!gSoundSystem) Audio::System_Create(&gSoundSystem);
    gSoundSystem->setVolumes(gMusicVolume, gEffectsVolume);
    if (gSoundSystem->hasDevice() || gSoundSystem->init(32, 0, nullptr) == Audio::Ok) {
        SetSoundEnabled(true);
        return;
    }
    SetSoundEnabled(false);
    TellPlayer("No audio device: the game runs without sound");
}

void UpdateSoundSystem() {
    if (gSoundSystem) gSoundSystem->update();
}

Sound::Sound(const char* path, bool loop) {
    if (!gSoundEnabled) return;
    loop_ = loop;
    gSoundSystem->createSound(HostPath(path).c_str(), Audio::Hardware, nullptr, &sound_);
    if (!sound_) {
        ShowError("Error: Unable to load sound file: %s: %s", path, gSoundSystem->loadError().c_str());
        return;
    }
    if (loop_) sound_->setMode(Audio::LoopNormal);
}

void Sound::Play() {
    if (!gSoundEnabled || !sound_) return;
    gSoundSystem->playSound(Audio::ChannelFree, sound_, false, &channel_);
}

void Sound::Stop() {
    if (!gSoundEnabled || !channel_) return;
    channel_->stop();
    channel_ = nullptr;
}

void Sound::Release() {
    if (!gSoundEnabled) return;
    Stop();
    if (!sound_) return;
    sound_->release();
    sound_ = nullptr;
}

bool Sound::Loaded() const { return sound_ != nullptr; }

bool Sound::Playing() const { return channel_ && channel_->isPlaying(); }
