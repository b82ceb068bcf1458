#include "SoundEffect.h"
#include "loudness/Loudness.h"
#include "Generator.h"
#include <algorithm>
#include <cmath>
#include <map>

namespace {
bool ParseWave(const std::string& text, Wave& wave) {
    static const std::map<std::string, Wave> waves = {{"sine", Wave::Sine},
                                                      {"square", Wave::Square},
                                                      {"saw", Wave::Saw},
                                                      {"triangle", Wave::Triangle},
                                                      {"noise", Wave::Noise}};
    auto found = waves.find(text);
    if (found == waves.end()) return false;
    wave = found->second;
    return true;
}

// "freq=A" holds one pitch, "freq=A>B" sweeps; "wobble=RATE,DEPTH".
bool ParsePair(const std::string& text, char separator, double& first, double& second) {
    size_t at = text.find(separator);
    if (at == std::string::npos) return ParseNumber(text, 1.0, 20000.0, first) && ((second = first), true);
    return ParseNumber(text.substr(0, at), 0.0, 20000.0, first) &&
           ParseNumber(text.substr(at + 1), 0.0, 20000.0, second);
}

bool ParseLayerSetting(const std::string& key, const std::string& value, EffectLayer& layer) {
    static const std::map<std::string, std::pair<double EffectLayer::*, double>> numbers = {
        {"start", {&EffectLayer::start, 10.0}},         {"length", {&EffectLayer::length, 10.0}},
        {"vol", {&EffectLayer::volume, 2.0}},           {"attack", {&EffectLayer::attack, 10.0}},
        {"decay", {&EffectLayer::decay, 1000.0}},       {"release", {&EffectLayer::release, 10.0}},
        {"lowpass", {&EffectLayer::lowpassHz, 20000.0}}};
    if (key == "wave") return ParseWave(value, layer.wave);
    if (key == "freq") return ParsePair(value, '>', layer.fromHz, layer.toHz) && layer.fromHz > 0 && layer.toHz > 0;
    if (key == "wobble") return ParsePair(value, ',', layer.wobbleHz, layer.wobbleDepth);
    if (key == "seed") {
        double seed = 0;
        if (!ParseNumber(value, 1, 1e9, seed)) return false;
        layer.seed = uint32_t(seed);
        return true;
    }
    auto found = numbers.find(key);
    return found != numbers.end() && ParseNumber(value, 0.0, found->second.second, layer.*found->second.first);
}

bool ParseLayer(const RecipeLine& line, EffectLayer& layer, std::string& error) {
    for (size_t i = 1; i < line.words.size(); ++i) {
        const std::string& word = line.words[i];
        size_t equals = word.find('=');
        if (equals == std::string::npos || !ParseLayerSetting(word.substr(0, equals), word.substr(equals + 1), layer))
            return RefuseLine(error, line.number, "bad layer setting '" + word + "'");
    }
    return true;
}

double Oscillator(Wave wave, double phase) {
    switch (wave) {
    case Wave::Sine: return std::sin(phase * 2.0 * M_PI);
    case Wave::Square: return phase < 0.5 ? 1.0 : -1.0;
    case Wave::Saw: return 2.0 * phase - 1.0;
    case Wave::Triangle: return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
    case Wave::Noise: break;
    }
    return 0.0;
}

double Envelope(const EffectLayer& layer, double t) {
    double level = layer.attack > 0.0 && t < layer.attack ? t / layer.attack : 1.0;
    level *= std::exp(-layer.decay * t);
    double left = layer.length - t;
    if (layer.release > 0.0 && left < layer.release) level *= left / layer.release;
    return level;
}

// Adds one layer into the mix. Noise holds a new random value each time its
// phase wraps, so its "pitch" sweeps like the oscillators'.
void RenderLayer(const EffectLayer& layer, std::vector<double>& mix) {
    int first = int(layer.start * kEffectRate);
    int count = int(layer.length * kEffectRate);
    uint32_t random = layer.seed;
    double phase = 0.0, held = 0.0, filtered = 0.0;
    double smoothing = layer.lowpassHz > 0.0 ? 1.0 - std::exp(-2.0 * M_PI * layer.lowpassHz / kEffectRate) : 1.0;
    for (int i = 0; i < count && first + i < int(mix.size()); ++i) {
        double t = double(i) / kEffectRate;
        double progress = count > 1 ? double(i) / (count - 1) : 0.0;
        double hz = layer.fromHz * std::pow(layer.toHz / layer.fromHz, progress);
        hz *= std::pow(2.0, layer.wobbleDepth * std::sin(2.0 * M_PI * layer.wobbleHz * t) / 12.0);
        phase += hz / kEffectRate;
        bool wrapped = phase >= 1.0;
        phase -= std::floor(phase);
        if (wrapped || i == 0) {
            random = random * 1664525u + 1013904223u;
            held = double(random >> 8) / double(1u << 24) * 2.0 - 1.0;
        }
        double value = layer.wave == Wave::Noise ? held : Oscillator(layer.wave, phase);
        filtered += smoothing * (value - filtered);
        mix[first + i] += filtered * layer.volume * Envelope(layer, t);
    }
}

void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }
}

bool ParseSoundEffect(const std::vector<RecipeLine>& lines, SoundEffect& effect, std::string& error) {
    int lastLine = 0;
    for (const RecipeLine& line : lines) {
        const std::string& word = line.words[0];
        lastLine = line.number;
        if (word == "file") {
            effect.gamePath = line.words[1];
        } else if (word == "length") {
            if (line.words.size() != 2 || !ParseNumber(line.words[1], 0.01, 10.0, effect.length))
                return RefuseLine(error, line.number, "bad length");
        } else if (word == "layer") {
            effect.layers.emplace_back();
            if (!ParseLayer(line, effect.layers.back(), error)) return false;
        } else {
            return RefuseLine(error, line.number, "unknown word '" + word + "'");
        }
    }
    if (effect.gamePath.empty()) return RefuseLine(error, lastLine, "no 'file' line");
    if (effect.length <= 0.0) return RefuseLine(error, lastLine, "no 'length' line");
    if (effect.layers.empty()) return RefuseLine(error, lastLine, "no layers");
    return true;
}

namespace {
// The loudest 400 ms of a mono effect played in both channels, with
// silence after it so that a short effect fills a whole block.
double LoudestMoment(const std::vector<double>& mix) {
    std::vector<float> frames(2 * (mix.size() + kEffectRate / 2), 0.0f);
    for (size_t i = 0; i < mix.size(); ++i) frames[2 * i] = frames[2 * i + 1] = float(mix[i]);
    LoudnessMeter meter(kEffectRate, 2);
    meter.Add(frames.data(), frames.size() / 2);
    return meter.MaxMomentary();
}

// Scaled by `gain`; what passes -9 dBFS is bent under -5 dBFS on a soft
// curve, a limiter that rounds the peaks off instead of clipping them.
std::vector<double> Limited(const std::vector<double>& mix, double gain) {
    const double knee = 0.35, ceiling = 0.56;
    std::vector<double> out(mix.size());
    for (size_t i = 0; i < mix.size(); ++i) {
        double level = std::abs(mix[i] * gain);
        if (level > knee) level = knee + (ceiling - knee) * std::tanh((level - knee) / (ceiling - knee));
        out[i] = std::copysign(level, mix[i]);
    }
    return out;
}
}

// Layers are summed and gently saturated, so loud mixes round off instead
// of wrapping around; then the whole effect is brought to one loudness,
// measured again after the limiter until it holds.
std::vector<int16_t> RenderSoundEffect(const SoundEffect& effect) {
    std::vector<double> mix(size_t(effect.length * kEffectRate), 0.0);
    for (const EffectLayer& layer : effect.layers) RenderLayer(layer, mix);
    for (double& value : mix) value = std::tanh(value);
    std::vector<double> out = mix;
    double gain = 1.0;
    for (int round = 0; round < 8 && LoudestMoment(mix) > kSilentLoudness; ++round) {
        out = Limited(mix, gain);
        gain *= std::pow(10.0, (kEffectLoudness - LoudestMoment(out)) / 20.0);
    }
    std::vector<int16_t> samples;
    samples.reserve(out.size());
    for (double value : out) samples.push_back(int16_t(std::lround(value * 32767.0)));
    return samples;
}

std::vector<uint8_t> WriteWavFile(const std::vector<int16_t>& samples, int rate) {
    uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::vector<uint8_t> file;
    PutTag(file, "RIFF");
    PutLittleEndian(file, 36 + dataBytes, 4);
    PutTag(file, "WAVE");
    PutTag(file, "fmt ");
    PutLittleEndian(file, 16, 4);
    PutLittleEndian(file, 1, 2);  // PCM
    PutLittleEndian(file, 1, 2);  // mono
    PutLittleEndian(file, uint32_t(rate), 4);
    PutLittleEndian(file, uint32_t(rate * 2), 4);
    PutLittleEndian(file, 2, 2);
    PutLittleEndian(file, 16, 2);
    PutTag(file, "data");
    PutLittleEndian(file, dataBytes, 4);
    for (int16_t sample : samples) PutLittleEndian(file, uint16_t(sample), 2);
    return file;
}

namespace {
bool BuildEffect(const std::vector<RecipeLine>& lines, std::string& gamePath, std::vector<uint8_t>& bytes,
                 std::string& error) {
    SoundEffect effect;
    if (!ParseSoundEffect(lines, effect, error)) return false;
    gamePath = effect.gamePath;
    bytes = WriteWavFile(RenderSoundEffect(effect), kEffectRate);
    return true;
}

void GenerateSounds(ContentContext& context) { BuildRecipes(context, "sound", BuildEffect); }
}

DUSKHOLD_GENERATOR("sound", GenerateSounds);
