#pragma once

// The small sound library the game plays through: a system with 32 channels,
// sounds loaded from files (".mid" files become the music stream, anything
// else an effect), played on a free channel and stopped by channel. Results
// follow the usual convention: 0 is success.
namespace Audio {

enum Mode : unsigned {
    LoopOff = 1,
    LoopNormal = 2,
    Hardware = 0x20,  // accepted and ignored
};
constexpr int ChannelFree = -1;
enum Result : int { Ok = 0, ErrFile = 1, ErrNoDevice = 2, ErrInvalid = 3 };

class Sound;
class Channel;

class System {
public:
    Result init(int maxChannels, unsigned flags, void* extraDriverData);
    Result createSound(const char* path, unsigned mode, void* extraInfo, Sound** sound);
    Result playSound(int channelIndex, Sound* sound, bool paused, Channel** channel);
    Result update();
    bool hasDevice() const;
};

class Sound {
public:
    Result setMode(unsigned mode);
    Result release();
};

class Channel {
public:
    Result stop();
};

Result System_Create(System** system);

}  // namespace Audio

// The process-wide sound system, created by InitGame.
extern Audio::System* gSoundSystem;
