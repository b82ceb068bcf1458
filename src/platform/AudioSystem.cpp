#include "platform/AudioSystem.h"
#include "platform/Files.h"
#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>
#include <unistd.h>
#include <vector>

namespace Audio {
namespace {
const int kRate = 44100;
// Looping music restarts on the mixer's next buffer after the song ends, so
// the buffer length bounds the silence at the loop point: 512 samples keep
// it near 12 ms.
const int kBufferSamples = 512;

// MIDI goes through the mixer's built-in synthesiser with the freepats
// patches: the soundfont synthesiser keeps a song "playing" for seconds after
// its last note, which leaves a silent gap every time looping music comes
// round. Forcing an unusable soundfont list makes the mixer skip it. All of
// this must be in place before the device opens.
void ChooseMidiSynthesiser() {
    setenv("SDL_FORCE_SOUNDFONTS", "1", 1);
    setenv("SDL_SOUNDFONTS", "/nonexistent/duskhold-no-soundfont.sf2", 1);
    if (getenv("TIMIDITY_CFG")) return;
    const char* const configs[] = {"/etc/timidity/freepats.cfg", "/etc/timidity.cfg", "/etc/timidity/timidity.cfg"};
    for (const char* config : configs) {
        if (access(config, R_OK) == 0) {
            setenv("TIMIDITY_CFG", config, 1);
            return;
        }
    }
}

// What loading a file gives: an effect, or a tune with the bytes it plays
// from and their source.
struct Loaded {
    Mix_Chunk* chunk = nullptr;
    Mix_Music* music = nullptr;
    SDL_RWops* source = nullptr;
    std::vector<unsigned char> bytes;
};

bool IsMidiPath(const char* path) {
    size_t length = strlen(path);
    return length >= 4 && strcasecmp(path + length - 4, ".mid") == 0;
}

#ifdef __EMSCRIPTEN__
// The browser cannot play MIDI: make web renders each tune beside it as OGG,
// with the same synthesiser and instruments.
std::string PlayableMusicPath(const char* midiPath) {
    std::string path = midiPath;
    return path.replace(path.size() - 4, 4, ".ogg");
}

// The browser's files are preloaded into its memory (no FIFO or device can
// be among them), and its mixer plays what it decoded at page load by name.
bool LoadFile(const char* path, bool music, Loaded& loaded, std::string& reason) {
    if (music) loaded.music = Mix_LoadMUS(PlayableMusicPath(path).c_str());
    else loaded.chunk = Mix_LoadWAV(path);
    if (!loaded.chunk && !loaded.music) reason = Mix_GetError();
    return loaded.chunk || loaded.music;
}
#else
// Read whole through the capped reader, as every other file is, so that a
// FIFO or a device is refused instead of waited on; the mixer gets the
// bytes. A tune reads its bytes while it plays, so they and their source
// stay with it; an effect is decoded at once.
bool LoadFile(const char* path, bool music, Loaded& loaded, std::string& reason) {
    if (!ReadWholeFile(path, kMaxSoundFileBytes, loaded.bytes, reason)) return false;
    SDL_RWops* source = SDL_RWFromConstMem(loaded.bytes.data(), int(loaded.bytes.size()));
    if (!source) {
        reason = loaded.bytes.empty() ? "it is empty" : SDL_GetError();
        return false;
    }
    if (music) loaded.music = Mix_LoadMUSType_RW(source, MUS_NONE, 0);
    else loaded.chunk = Mix_LoadWAV_RW(source, 0);
    if (loaded.music) loaded.source = source;
    else SDL_RWclose(source);
    if (!loaded.music) std::vector<unsigned char>().swap(loaded.bytes);
    if (!loaded.chunk && !loaded.music) reason = Mix_GetError();
    return loaded.chunk || loaded.music;
}
#endif
}

System::~System() { close(); }

Result System::init(int maxChannels, unsigned, void*) {
    if (open_ || maxChannels <= 0) return ErrInvalid;
    ChooseMidiSynthesiser();
    if (!SDL_WasInit(SDL_INIT_AUDIO)) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return ErrNoDevice;
        audioSubsystemStarted_ = true;
    }
    if (Mix_OpenAudio(kRate, AUDIO_S16SYS, 2, kBufferSamples) != 0) {
        close();
        return ErrNoDevice;
    }
    open_ = true;
    channelCount_ = Mix_AllocateChannels(maxChannels);
    slotOwners_ = new Channel*[channelCount_]();
    applyVolumes();
    return Ok;
}

Result System::setVolumes(float music, float effects) {
    if (!(music >= 0.0f && music <= 1.0f && effects >= 0.0f && effects <= 1.0f)) return ErrInvalid;
    musicVolume_ = music;
    effectsVolume_ = effects;
    if (open_) applyVolumes();
    return Ok;
}

// Channel -1 sets every effect channel at once.
void System::applyVolumes() {
    Mix_VolumeMusic(int(musicVolume_ * MIX_MAX_VOLUME + 0.5f));
    Mix_Volume(-1, int(effectsVolume_ * MIX_MAX_VOLUME + 0.5f));
}

int System::mixerMusicVolume() const { return open_ ? Mix_VolumeMusic(-1) : -1; }

int System::mixerEffectsVolume() const { return open_ ? Mix_Volume(0, -1) : -1; }

Result System::createSound(const char* path, unsigned mode, void*, Sound** sound) {
    if (!sound || !path) return ErrInvalid;
    if (!open_) return ErrNoDevice;
    Loaded loaded;
    if (!LoadFile(path, IsMidiPath(path), loaded, loadError_)) return ErrFile;
    loadError_.clear();
    Sound* created = new Sound(this, loaded.chunk, loaded.music);
    created->source_ = loaded.source;
    created->bytes_.swap(loaded.bytes);
    created->next_ = sounds_;
    sounds_ = created;
    ++liveSounds_;
    created->setMode(mode);
    *sound = created;
    return Ok;
}

Result System::playSound(int, Sound* sound, bool paused, Channel** channel) {
    if (!sound || !open_) return ErrInvalid;
    Channel* chosen = sound->idleChannel();
    Result result = sound->isMusic() ? playMusic(sound, chosen) : playEffect(sound, chosen);
    if (result != Ok) return result;
    if (paused) {
        if (chosen->slot_ < 0) Mix_PauseMusic();
        else Mix_Pause(chosen->slot_);
    }
    if (channel) *channel = chosen;
    return Ok;
}

Result System::playMusic(Sound* sound, Channel* channel) {
    // Playing the stream replaces whatever music was on it.
    if (Mix_PlayMusic(static_cast<Mix_Music*>(sound->music_), sound->loop_ ? -1 : 1) != 0) return ErrInvalid;
    channel->slot_ = -1;
    musicOwner_ = channel;
    return Ok;
}

Result System::playEffect(Sound* sound, Channel* channel) {
    int slot = Mix_PlayChannel(-1, static_cast<Mix_Chunk*>(sound->chunk_), sound->loop_ ? -1 : 0);
    if (slot < 0 || slot >= channelCount_) return ErrInvalid;
    channel->slot_ = slot;
    slotOwners_[slot] = channel;
    return Ok;
}

// The mix is locked while the sound starts and the listener is set, so that
// the next buffer mixed is the first heard and holds the sound's start.
Result System::playListened(Sound* sound, Listener listener) {
    if (!open_) return ErrNoDevice;
    SDL_LockAudio();
    Result result = playSound(ChannelFree, sound, false, nullptr);
    if (result == Ok) {
        listener_ = std::move(listener);
        Mix_SetPostMix(
            [](void* self, Uint8* stream, int length) {
                static_cast<System*>(self)->listener_(reinterpret_cast<const int16_t*>(stream), length / 4);
            },
            this);
    }
    SDL_UnlockAudio();
    return result;
}

void System::stopListening() {
    if (open_) Mix_SetPostMix(nullptr, nullptr);
    listener_ = nullptr;
}

Result System::update() { return open_ ? Ok : ErrNoDevice; }

Result System::setPaused(bool paused) {
    if (!open_) return ErrNoDevice;
    if (paused) {
        Mix_PauseMusic();
        Mix_Pause(-1);
    } else {
        Mix_ResumeMusic();
        Mix_Resume(-1);
    }
    return Ok;
}

bool System::musicPlaying() const { return open_ && Mix_PlayingMusic() && !Mix_PausedMusic(); }

Result System::close() {
    stopListening();
    while (sounds_) sounds_->release();
    if (open_) Mix_CloseAudio();
    if (audioSubsystemStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    open_ = false;
    audioSubsystemStarted_ = false;
    delete[] slotOwners_;
    slotOwners_ = nullptr;
    channelCount_ = 0;
    musicOwner_ = nullptr;
    return Ok;
}

void System::forget(Sound* sound) {
    for (Sound** link = &sounds_; *link; link = &(*link)->next_) {
        if (*link == sound) {
            *link = sound->next_;
            --liveSounds_;
            break;
        }
    }
    for (Channel* channel = sound->channels_; channel; channel = channel->next_) {
        if (musicOwner_ == channel) musicOwner_ = nullptr;
        for (int slot = 0; slot < channelCount_; ++slot)
            if (slotOwners_[slot] == channel) slotOwners_[slot] = nullptr;
    }
}

Sound::Sound(System* system, void* chunk, void* music) : system_(system), chunk_(chunk), music_(music) {}

Sound::~Sound() {
    while (channels_) {
        Channel* next = channels_->next_;
        delete channels_;
        channels_ = next;
    }
}

Result Sound::setMode(unsigned mode) {
    if (mode & LoopNormal) loop_ = true;
    if (mode & LoopOff) loop_ = false;
    return Ok;
}

Result Sound::release() {
    for (Channel* channel = channels_; channel; channel = channel->next_) channel->stop();
    system_->forget(this);
    if (chunk_) Mix_FreeChunk(static_cast<Mix_Chunk*>(chunk_));
    if (music_) Mix_FreeMusic(static_cast<Mix_Music*>(music_));
    if (source_) SDL_RWclose(static_cast<SDL_RWops*>(source_));
    delete this;
    return Ok;
}

// A channel object is reused only when its last play is over, so a caller
// still holding it from an earlier play cannot stop someone else's sound.
Channel* Sound::idleChannel() {
    for (Channel* channel = channels_; channel; channel = channel->next_)
        if (!channel->isPlaying()) return channel;
    Channel* created = new Channel(this);
    created->next_ = channels_;
    channels_ = created;
    return created;
}

bool Channel::isPlaying() const {
    const System* system = sound_->system_;
    if (slot_ < 0) return system->musicOwner_ == this && Mix_PlayingMusic();
    return slot_ < system->channelCount_ && system->slotOwners_[slot_] == this && Mix_Playing(slot_);
}

Result Channel::stop() {
    if (!isPlaying()) return ErrInvalid;
    System* system = sound_->system_;
    if (slot_ < 0) {
        Mix_HaltMusic();
        system->musicOwner_ = nullptr;
    } else {
        Mix_HaltChannel(slot_);
        system->slotOwners_[slot_] = nullptr;
    }
    return Ok;
}

Result System_Create(System** system) {
    if (!system) return ErrInvalid;
    *system = new System();
    return Ok;
}

}  // namespace Audio
