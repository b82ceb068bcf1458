#include "screens/StageMusic.h"
#include "core/Log.h"
#include "core/Trace.h"
#include "platform/AudioSystem.h"
#include "platform/Files.h"
#include <string>

namespace {
Audio::Sound* gMusic = nullptr;
Audio::Channel* gChannel = nullptr;
std::string gMusicPath;

// The trace shows which music the handle holds (null for none) from the
// first time the handle is filled.
void AddMusicTraceField() {
    AddTraceField("music", [] { return gMusic ? JsonString(gMusicPath) : std::string("null"); });
}

void ReleaseMusic() {
    StopStageMusic();
    if (gMusic) gMusic->release();
    gMusic = nullptr;
}
}

void ReplaceStageMusic(const char* gamePath) {
    AddMusicTraceField();
    ReleaseMusic();
    // Without a device the start-up's one status line has said it all.
    if (!TheSoundSystem() || !TheSoundSystem()->hasDevice()) return;
    TheSoundSystem()->createSound(HostPath(gamePath).c_str(), Audio::Hardware, nullptr, &gMusic);
    // The screens go on without music; a status line names what is missing.
    if (!gMusic) PrintStatus("Music %s not loaded", gamePath);
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
