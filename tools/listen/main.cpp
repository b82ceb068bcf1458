// duskhold-listen: plays the game's tunes and effects through the game's own
// sound system on the disk audio driver and measures what the mixer writes,
// for the loudness and loop figures in content/README.md.
//   duskhold-listen [--loop] [--turns PASS_SECONDS] SECONDS FILE...
// Run it in a data folder. Each file plays (looping with --loop) for SECONDS of
// output, heard from its first frame; for each it prints the integrated loudness (gated, in
// LUFS), the loudest 400 ms, the peak and when the sound ends; then every
// quiet stretch (50 ms or longer under -40 dBFS) and every run of digital
// silence (1 ms or longer) after the first sound, with the loudest sample of
// the 10 ms before it: the mark of a restart or a hard cut. With --turns, the
// loudness of the 2 s around each multiple of PASS_SECONDS: a pass turn.
#include "app/Options.h"
#include "platform/AudioSystem.h"
#include "platform/Sound.h"
#include "loudness/Loudness.h"
#include "toolargs/ToolCommandLine.h"
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {
const int kRate = 44100;  // frames a second; a frame is two 16-bit samples
// The longest SECONDS or PASS_SECONDS taken: ten minutes of output are 106 MB.
const double kMostSeconds = 600.0;

// The frames the mixer writes from the sound's first one on, `frames` of
// them however fast the driver runs; empty when the file cannot be loaded.
std::vector<int16_t> Record(const char* path, bool loop, size_t frames) {
    Audio::System* system = TheSoundSystem();
    Audio::Sound* sound = nullptr;
    if (system->createSound(path, loop ? Audio::LoopNormal : Audio::LoopOff, nullptr, &sound) != Audio::Ok) {
        std::fprintf(stderr, "duskhold-listen: %s cannot be loaded: %s\n", path, system->loadError().c_str());
        return {};
    }
    std::vector<int16_t> samples(2 * frames);
    std::atomic<size_t> heard{0};
    const Audio::Result played = system->playListened(sound, [&](const int16_t* mixed, int count) {
        const size_t from = heard.load(), taken = std::min(frames - from, size_t(count));
        std::copy(mixed, mixed + 2 * taken, samples.begin() + long(2 * from));
        heard.store(from + taken);
    });
    if (played != Audio::Ok) {
        std::fprintf(stderr, "duskhold-listen: %s cannot be played\n", path);
        sound->release();
        return {};
    }
    while (heard.load() < frames) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    system->stopListening();
    sound->release();
    return samples;
}

// A number of seconds of at least one frame and at most kMostSeconds, the
// whole text read.
bool ReadSeconds(const std::string& text, double& seconds) {
    char* end = nullptr;
    seconds = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && seconds * kRate >= 1.0 && seconds <= kMostSeconds;
}

double Decibels(double level) { return 20.0 * std::log10(std::max(level, 1e-9) / 32768.0); }

// The loudness meter's figure for frames [from, to) of the mix.
LoudnessMeter Meter(const std::vector<int16_t>& samples, size_t from, size_t to) {
    std::vector<float> scaled(samples.begin() + long(2 * from), samples.begin() + long(2 * to));
    for (float& sample : scaled) sample /= 32768.0f;
    LoudnessMeter meter(kRate, 2);
    meter.Add(scaled.data(), to - from);
    return meter;
}

// The loudest sample of frames [from, to).
int Peak(const std::vector<int16_t>& samples, size_t from, size_t to) {
    int peak = 0;
    for (size_t i = 2 * from; i < 2 * to; ++i) peak = std::max(peak, std::abs(int(samples[i])));
    return peak;
}

// Stretches of 10 ms windows whose loudest sample is under -40 dBFS.
void ReportQuiet(const std::vector<int16_t>& samples, size_t first, size_t last) {
    const size_t window = kRate / 100;
    const int quiet = int(32768.0 * std::pow(10.0, -40.0 / 20.0));
    size_t runStart = first, windows = 0;
    for (size_t at = first; at + window <= last + 1; at += window) {
        if (Peak(samples, at, at + window) < quiet) {
            if (windows++ == 0) runStart = at;
            continue;
        }
        if (windows >= 5)
            std::printf("  quiet at %.3f s for %.2f s\n", double(runStart) / kRate, double(windows * window) / kRate);
        windows = 0;
    }
}

void ReportSilences(const std::vector<int16_t>& samples, size_t first, size_t last) {
    auto silent = [&](size_t frame) { return samples[2 * frame] == 0 && samples[2 * frame + 1] == 0; };
    for (size_t frame = first, run = 0; frame <= last; ++frame) {
        if (silent(frame)) {
            ++run;
            continue;
        }
        if (run >= size_t(kRate / 1000)) {
            size_t from = frame - run > kRate / 100 ? frame - run - kRate / 100 : 0;
            std::printf("  silence at %.3f s for %.2f ms, loudest before it %.1f dBFS\n", double(frame - run) / kRate,
                        1000.0 * double(run) / kRate, Decibels(Peak(samples, from, frame - run)));
        }
        run = 0;
    }
}

// The 2 s around each pass turn: its loudness and its quietest 400 ms.
void ReportTurns(const std::vector<int16_t>& samples, double passSeconds) {
    size_t frames = samples.size() / 2;
    for (int turn = 1; size_t((turn * passSeconds + 1.0) * kRate) <= frames; ++turn) {
        size_t middle = size_t(turn * passSeconds * kRate);
        LoudnessMeter meter = Meter(samples, middle - kRate, middle + kRate);
        std::vector<double> blocks = meter.Momentary();
        std::printf("  turn at %.3f s: the 2 s around it %.1f LUFS, quietest 400 ms %.1f LUFS\n",
                    double(middle) / kRate, meter.Integrated(), *std::min_element(blocks.begin(), blocks.end()));
    }
}

void Report(const char* path, const std::vector<int16_t>& samples, double passSeconds) {
    size_t frames = samples.size() / 2, first = frames, last = 0;
    for (size_t frame = 0; frame < frames; ++frame)
        if (samples[2 * frame] != 0 || samples[2 * frame + 1] != 0) first = std::min(first, frame), last = frame;
    if (first > last) {
        std::printf("%s: silent\n", path);
        return;
    }
    LoudnessMeter meter = Meter(samples, 0, frames);
    std::printf("%s: %.1f LUFS integrated, loudest 400 ms %.1f LUFS, peak %.1f dBFS, sound from %.3f s to %.3f s\n",
                path, meter.Integrated(), meter.MaxMomentary(), Decibels(Peak(samples, first, last + 1)),
                double(first) / kRate, double(last) / kRate);
    ReportQuiet(samples, first, last);
    ReportSilences(samples, first, last);
    if (passSeconds >= 1.0) ReportTurns(samples, passSeconds);
}
}  // namespace

int main(int argc, char** argv) {
    ToolCommandLine line;
    const bool parsed = ParseToolCommandLine(argc, argv, {"--loop"}, {"--turns"}, line);
    const std::vector<std::string>& args = line.arguments;
    double seconds = 0.0, passSeconds = 0.0;
    if (!parsed || args.size() < 2 || !ReadSeconds(args[0], seconds) ||
        (line.Has("--turns") && !ReadSeconds(line.Value("--turns", ""), passSeconds)))
        return ToolUsage(
            "usage: duskhold-listen [--loop] [--turns PASS_SECONDS] SECONDS FILE...   (in a data folder;"
            " each number above 0, at most 600)\n",
            argc, argv);
    // The disk driver mixes as fast as it can; what it writes is not read,
    // the mix is heard as it is made.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("DUSKHOLD_NO_DIALOG", "1", 1);
    InitSoundSystem();
    int status = SoundEnabled() && TheSoundSystem()->hasDevice() ? 0 : 1;
    if (status != 0) std::fprintf(stderr, "duskhold-listen: the disk audio driver cannot be opened\n");
    for (size_t i = 1; i < args.size() && status == 0; ++i) {
        std::vector<int16_t> samples = Record(args[i].c_str(), line.Has("--loop"), size_t(seconds * kRate));
        if (samples.empty()) status = 1;
        else Report(args[i].c_str(), samples, passSeconds);
    }
    if (TheSoundSystem()) TheSoundSystem()->close();
    return status;
}
