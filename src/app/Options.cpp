#include "app/Options.h"
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
bool ParseLong(const std::string& text, long& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    value = strtol(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0';
}

bool ParseShot(const std::string& text, ShotRequest& shot) {
    size_t colon = text.find(':');
    if (colon == std::string::npos || colon + 1 == text.size()) return false;
    return ParseLong(text.substr(0, colon), shot.step) && shot.step > 0 && (shot.file = text.substr(colon + 1), true);
}

bool ParseWindow(const std::string& text, int& width, int& height) {
    size_t x = text.find('x');
    long w = 0, h = 0;
    if (x == std::string::npos || !ParseLong(text.substr(0, x), w) || !ParseLong(text.substr(x + 1), h)) return false;
    if (w < 1 || h < 1 || w > 16384 || h > 16384) return false;
    width = int(w);
    height = int(h);
    return true;
}
}

const char* UsageText() {
    return "Usage: duskhold [options]\n"
           "  -fullscreen        fill the whole desktop\n"
           "  --window WxH       window size (default: the settings' window size, 960x720)\n"
           "  --settings FILE    read and keep the settings in FILE\n"
           "  --data DIR         read the game's data from DIR\n"
           "  --level NAME       go straight into the stage NAME\n"
           "  --watch            reload the stage when its level file or pictures change\n"
           "  --engine-rules     play every stage by the engine's rules alone: no jump, whip or hearts\n"
           "  --fast             run steps back to back, without waiting for the clock\n"
           "  --unseen           draw only the steps --shot pictures (quick replays)\n"
           "  --steps N          end after step N\n"
           "  --shot N:FILE.png  write the picture after the draw of step N (repeatable)\n"
           "  --trace FILE       write one JSON line per step\n"
           "  --record FILE      record the input as a movie\n"
           "  --replay FILE      play a recorded movie instead of live input\n"
           "  --reference        run the plain reference paths (for measuring)\n"
           "  --help, --version\n";
}

int ToolUsage(const std::string& usage, int argc, const char* const* argv) {
    bool asked = argc == 2 && strcmp(argv[1], "--help") == 0;
    fputs(usage.c_str(), asked ? stdout : stderr);
    return asked ? 0 : 2;
}

bool ParseOptions(int argc, const char* const* argv, Options& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string text;
        if (arg == "-fullscreen") {
            options.fullscreen = true;
        } else if (arg == "--fast") {
            options.fast = true;
        } else if (arg == "--unseen") {
            options.unseen = true;
        } else if (arg == "--reference") {
            options.reference = true;
        } else if (arg == "--watch") {
            options.watch = true;
        } else if (arg == "--engine-rules") {
            options.engineRules = true;
        } else if (arg == "--help") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--steps") {
            if (!value(text)) return false;
            if (!ParseLong(text, options.steps) || options.steps < 1) {
                error = "--steps needs a positive number, not '" + text + "'";
                return false;
            }
        } else if (arg == "--shot") {
            ShotRequest shot;
            if (!value(text)) return false;
            if (!ParseShot(text, shot)) {
                error = "--shot needs STEP:FILE.png, not '" + text + "'";
                return false;
            }
            options.shots.push_back(shot);
        } else if (arg == "--window") {
            if (!value(text)) return false;
            if (!ParseWindow(text, options.windowWidth, options.windowHeight)) {
                error = "--window needs WIDTHxHEIGHT, not '" + text + "'";
                return false;
            }
            options.windowGiven = true;
        } else if (arg == "--trace") {
            if (!value(options.trace)) return false;
        } else if (arg == "--record") {
            if (!value(options.record)) return false;
        } else if (arg == "--replay") {
            if (!value(options.replay)) return false;
        } else if (arg == "--level") {
            if (!value(options.level)) return false;
        } else if (arg == "--data") {
            if (!value(options.dataDir)) return false;
        } else if (arg == "--settings") {
            if (!value(options.settings)) return false;
        } else {
            options.unknown.push_back(arg);
        }
    }
    return true;
}
