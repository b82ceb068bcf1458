#pragma once
#include "RecipeFiles.h"
#include <cstdint>
#include <string>
#include <vector>

// A sound effect kept as a recipe of layers (content/sound/README.md gives
// the format), rendered to a 16-bit mono WAV file.
constexpr int kEffectRate = 22050;
// Every effect's loudest 400 ms as the mixer plays it (the same in both
// channels), in LUFS: over the loudest moments of the tunes they play over.
constexpr double kEffectLoudness = -10.0;

enum class Wave { Sine, Square, Saw, Triangle, Noise };

struct EffectLayer {
    Wave wave = Wave::Sine;
    double start = 0.0;   // seconds into the effect
    double length = 0.1;  // seconds
    double fromHz = 440.0;
    double toHz = 440.0;  // swept exponentially from fromHz over the layer
    double volume = 0.5;
    double attack = 0.0;       // seconds of linear rise
    double decay = 0.0;        // exponential fall per second
    double release = 0.0;      // seconds of linear fade at the end
    double lowpassHz = 0.0;    // 0: unfiltered
    double wobbleHz = 0.0;     // pitch wobble rate
    double wobbleDepth = 0.0;  // in semitones
    uint32_t seed = 1;
};

struct SoundEffect {
    std::string gamePath;
    double length = 0.0;
    std::vector<EffectLayer> layers;
};

bool ParseSoundEffect(const std::vector<RecipeLine>& lines, SoundEffect& effect, std::string& error);
std::vector<int16_t> RenderSoundEffect(const SoundEffect& effect);
std::vector<uint8_t> WriteWavFile(const std::vector<int16_t>& samples, int rate);
