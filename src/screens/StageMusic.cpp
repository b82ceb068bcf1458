#include "screens/StageMusic.h"
#include "platform/AudioSystem.h"
#include "platform/Files.h"

namespace {
Audio::Sound* gMusic = nullptr;
Audio::Channel* gChannel = nullptr;
}

void ReplaceStageMusic(const char* gamePath) {
    ReleaseStageMusic();
    if (gSoundSystem) gSoundSystem->createSound(HostPath(gamePath).c_str(), Audio::Hardware, nullptr, &gMusic);
}

void PlayStageMusic(bool loop) {
    if (!gSoundSystem || !gMusic) return;
    if (loop) gMusic->setMode(Audio::LoopNormal);
    gSoundSystem->playSound(Audio::ChannelFree, gMusic, false, &gChannel);
}

void StopStageMusic() {
    if (gChannel) gChannel->stop();
    gChannel = nullptr;
}

void ReleaseStageMusic() {
    StopStageMusic();
    if (gMusic) gMusic->release();
    gMusic = nullptr;
}

bool StageMusicLoaded() { return gMusic != nullptr; }
