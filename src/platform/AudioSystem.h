#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The small sound library the game plays through: a system with 32 channels,
// sounds loaded from files (".mid" files become the music stream, anything
// else an effect), played on a free channel and stopped by channel. Results
// follow the usual convention: 0 is success.
//
// Only one music stream plays at a time: playing a second music sound
// replaces the first, and the channel of the replaced music is then dead, so
// stopping it does nothing. The same holds for an effect channel whose slot
// was taken by a later effect.
namespace Audio {

enum Mode : unsigned {
    LoopOff = 1,
    LoopNormal = 2,
    Hardware = 0x20,  // accepted and ignored
};
constexpr int ChannelFree = -1;
enum Result : int { Ok = 0, ErrFile = 1, ErrNoDevice = 2, ErrInvalid = 3 };
// The largest sound or tune file read: ten minutes of CD-quality WAV, far
// more than any effect or MIDI tune; a larger one is refused unread.
constexpr size_t kMaxSoundFileBytes = 10 * 60 * 44100 * 4;

class Sound;
class Channel;

class System {
public:
    System() = default;
    System(const System&) = delete;
    System& operator=(const System&) = delete;
    ~System();

    // Opens the audio device and allocates the effect channels. Without a
    // device the system stays usable and every load reports ErrNoDevice.
    Result init(int maxChannels, unsigned flags, void* extraDriverData);
    // Leaves *sound as it was when the file cannot be loaded; loadError
    // then says why ("it is not a regular file").
    Result createSound(const char* path, unsigned mode, void* extraInfo, Sound** sound);
    const std::string& loadError() const { return loadError_; }
    // Leaves *channel as it was when nothing could be played.
    Result playSound(int channelIndex, Sound* sound, bool paused, Channel** channel);
    Result update();
    // Plays the sound as playSound does and hands the listener every frame
    // the mixer writes from the sound's first one on (two 16-bit samples a
    // frame, as played), on the mixer's thread, until stopListening: the
    // same frames for the same file on every run, however the threads run.
    using Listener = std::function<void(const int16_t* samples, int frames)>;
    Result playListened(Sound* sound, Listener listener);
    void stopListening();
    // Pauses the music and every effect where they are, or resumes them.
    Result setPaused(bool paused);
    // Frees every sound still loaded and closes the device.
    Result close();

    bool hasDevice() const { return open_; }
    // The loudness of the music stream and of every effect channel, each
    // from 0 (silent) to 1 (as the files are); kept for a device opened later.
    Result setVolumes(float music, float effects);
    // The mixer's own volumes now (0 to 128), as it plays; -1 without a device.
    int mixerMusicVolume() const;
    int mixerEffectsVolume() const;
    // Whether a music stream is playing now (started and not paused).
    bool musicPlaying() const;
    // Sounds created and not yet released.
    int liveSounds() const { return liveSounds_; }

private:
    friend class Sound;
    friend class Channel;
    bool open_ = false;
    bool audioSubsystemStarted_ = false;
    int channelCount_ = 0;
    int liveSounds_ = 0;
    float musicVolume_ = 1.0f;
    float effectsVolume_ = 1.0f;
    std::string loadError_;
    Sound* sounds_ = nullptr;         // every live sound, linked through Sound::next_
    Channel** slotOwners_ = nullptr;  // which channel object holds each effect slot
    Channel* musicOwner_ = nullptr;
    Listener listener_;

    Result playMusic(Sound* sound, Channel* channel);
    Result playEffect(Sound* sound, Channel* channel);
    void applyVolumes();
    void forget(Sound* sound);
};

class Sound {
public:
    Result setMode(unsigned mode);
    // Stops everything playing this sound and frees it.
    Result release();
    bool isMusic() const { return music_ != nullptr; }

private:
    friend class System;
    friend class Channel;
    Sound(System* system, void* chunk, void* music);
    ~Sound();
    Channel* idleChannel();

    System* system_;
    void* chunk_;  // Mix_Chunk
    void* music_;  // Mix_Music
    // A tune's file and the SDL_RWops the mixer reads it through as it plays.
    void* source_ = nullptr;
    std::vector<unsigned char> bytes_;
    bool loop_ = false;
    Channel* channels_ = nullptr;  // channel objects of this sound, reused once idle
    Sound* next_ = nullptr;
};

class Channel {
public:
    // Stops this play if it is still the one holding its slot.
    Result stop();
    bool isPlaying() const;

private:
    friend class System;
    friend class Sound;
    explicit Channel(Sound* sound) : sound_(sound) {}

    Sound* sound_;
    int slot_ = -1;  // effect slot, or -1 for the music stream
    Channel* next_ = nullptr;
};

Result System_Create(System** system);

}  // namespace Audio

// The process-wide sound system, created by InitSoundSystem; null before.
Audio::System* TheSoundSystem();
