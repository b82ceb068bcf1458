#pragma once
#include <string>
#include <vector>

// A picture to write after the draw of a given step.
struct ShotRequest {
    long step = 0;
    std::string file;
};

// The command line. Unknown arguments are ignored, as the game always did,
// but listed so that a mistyped option is not lost in silence.
struct Options {
    bool fullscreen = false;
    bool fast = false;
    bool reference = false;    // the plain reference paths, for measuring
    bool unseen = false;       // frames are drawn only when a picture is due
    bool watch = false;        // reload the stage when its files change
    bool engineRules = false;  // play every stage by the engine's rules, ignoring its play data
    long steps = 0;            // 0: run until Escape, QUIT GAME or the window ends it
    std::vector<ShotRequest> shots;
    std::string trace;
    std::string record;
    std::string replay;
    std::string level;
    std::string dataDir;
    std::string settings;  // the settings file; "" for the player's own
    int windowWidth = 960;
    int windowHeight = 720;
    bool windowGiven = false;  // --window was given: it wins over the settings
    bool help = false;
    bool version = false;
    std::vector<std::string> unknown;
};

// Fills `options`; false with a message in `error` for a malformed value.
bool ParseOptions(int argc, const char* const* argv, Options& options, std::string& error);

const char* UsageText();

// What a tool does when it cannot run its command line: for `TOOL --help`
// the usage goes to standard output and the exit status is 0; for a wrong
// call it goes to standard error and the status is 2.
int ToolUsage(const std::string& usage, int argc, const char* const* argv);
