// duskhold-listen: plays the game's tunes and effects through the game's own
// sound system on the disk audio driver and measures what the mixer writes,
// for the loudness and loop figures in content/README.md.
//   duskhold-listen [--loop] SECONDS FILE...
// Run it in a data folder. Each file plays (looping with --loop) until SECONDS of
// output are written; for each it prints the RMS in dB of full scale over
// the part that sounds, the peak, when the sound ends, and every run of
// digital silence (1 ms or longer) after the first sound, with the loudest
// sample of the 10 ms before it: the mark of a restart or a hard cut.
#include "app/Options.h"
#include "platform/AudioSystem.h"
#include "platform/Sound.h"
#include "toolargs/ToolCommandLine.h"
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
const int kRate = 44100;  // frames a second; a frame is two 16-bit samples
const long kFrameBytes = 4;

long Written(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? long(info.st_size) : 0;
}

// The frames the mixer writes while `path` plays for `seconds` of output.
std::vector<int16_t> Record(const std::string& output, const char* path, bool loop, double seconds) {
    long start = Written(output), target = start + long(seconds * kRate) * kFrameBytes;
    Sound sound(path, loop);
    sound.Play();
    while (Written(output) < target) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    sound.Release();
    std::ifstream in(output, std::ios::binary);
    in.seekg(start);
    std::vector<int16_t> samples(size_t(target - start) / 2);
    in.read(reinterpret_cast<char*>(samples.data()), std::streamsize(samples.size() * 2));
    return samples;
}

double Decibels(double level) { return 20.0 * std::log10(std::max(level, 1e-9) / 32768.0); }

void Report(const char* path, const std::vector<int16_t>& samples) {
    size_t frames = samples.size() / 2, first = frames, last = 0;
    auto silent = [&](size_t frame) { return samples[2 * frame] == 0 && samples[2 * frame + 1] == 0; };
    for (size_t frame = 0; frame < frames; ++frame)
        if (!silent(frame)) first = std::min(first, frame), last = frame;
    if (first > last) {
        std::printf("%s: silent\n", path);
        return;
    }
    double sum = 0.0;
    int peak = 0;
    for (size_t i = 2 * first; i < 2 * last + 2; ++i) {
        sum += double(samples[i]) * double(samples[i]);
        peak = std::max(peak, std::abs(int(samples[i])));
    }
    std::printf("%s: RMS %.1f dBFS, peak %.1f dBFS, sound from %.3f s to %.3f s\n", path,
                Decibels(std::sqrt(sum / double(2 * (last - first + 1)))), Decibels(peak), double(first) / kRate,
                double(last) / kRate);
    for (size_t frame = first, run = 0; frame <= last; ++frame) {
        if (silent(frame)) {
            ++run;
            continue;
        }
        if (run >= size_t(kRate / 1000)) {
            int before = 0;
            for (size_t i = frame - run > kRate / 100 ? frame - run - kRate / 100 : 0; i < frame - run; ++i)
                before = std::max({before, std::abs(int(samples[2 * i])), std::abs(int(samples[2 * i + 1]))});
            std::printf("  silence at %.3f s for %.2f ms, loudest before it %.1f dBFS\n", double(frame - run) / kRate,
                        1000.0 * double(run) / kRate, Decibels(before));
        }
        run = 0;
    }
}
}  // namespace

int main(int argc, char** argv) {
    ToolCommandLine line;
    const bool parsed = ParseToolCommandLine(argc, argv, {"--loop"}, {}, line);
    const std::vector<std::string>& args = line.arguments;
    const bool loop = line.Has("--loop");
    double seconds = args.size() >= 2 ? std::atof(args[0].c_str()) : 0.0;
    if (!parsed || seconds <= 0.0)
        return ToolUsage("usage: duskhold-listen [--loop] SECONDS FILE...   (in a data folder)\n", argc, argv);
    char folder[] = "/tmp/duskhold-listen-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    std::string output = std::string(folder) + "/mix.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    setenv("DUSKHOLD_NO_DIALOG", "1", 1);  // a file that cannot be read is said on standard error
    InitSoundSystem();
    int status = SoundEnabled() && TheSoundSystem()->hasDevice() ? 0 : 1;
    if (status != 0) std::fprintf(stderr, "duskhold-listen: the disk audio driver cannot be opened\n");
    for (size_t i = 1; i < args.size() && status == 0; ++i)
        Report(args[i].c_str(), Record(output, args[i].c_str(), loop, seconds));
    if (TheSoundSystem()) TheSoundSystem()->close();
    unlink(output.c_str());
    rmdir(folder);
    return status;
}
