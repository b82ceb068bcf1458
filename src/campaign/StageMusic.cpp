#include "campaign/StageMusic.h"
#include "base/Log.h"
#include "platform/AudioSystem.h"
#include "platform/Files.h"
#include <string>

namespace {
Audio::Sound* gMusic = nullptr;
Audio::Channel* gChannel = nullptr;
std::string gMusicPath;

void ReleaseMusic() {
    StopStageMusic();
    if (gMusic) gMusic->release();
    gMusic = nullptr;
}
}

const char* StageMusicPath() { return gMusic ? gMusicPath.c_str() : nullptr; }

void ReplaceStageMusic(const char* gamePath) {
    ReleaseMusic();
    // Without a device the start-up's one status line has said it all.
    if (!TheSoundSystem() || !TheSoundSystem()->hasDevice()) return;
    TheSoundSystem()->createSound(HostPath(gamePath).c_str(), Audio::Hardware, nullptr, &gMusic);
    // The screens go on without music; a status line names what is missing.
    if (!gMusic) TellPlayer("Music %s not loaded", gamePath);
    gMusicPath = gamePath;
}

void PlayStageMusic(bool loop) {
    if (!TheSoundSystem() || !gMusic) return;
    if (loop) gMusic->setMode(Audio::LoopNormal);
    TheSoundSystem()->playSound(Audio::ChannelFree, gMusic, false, &gChannel);
}

void StopStageMusic() {
    if (gChannel) gChannel->stop();
    gChannel = nullptr;
}
