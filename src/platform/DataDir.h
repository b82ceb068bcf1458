#pragma once
#include <string>

// Where the game's data lives: --data DIR, else $DUSKHOLD_DATA, else a "data"
// folder beside the executable, else the installed share folder. Returns
// the chosen directory and a word saying where it came from.
struct DataDirChoice {
    std::string path;
    std::string source;
};
DataDirChoice ChooseDataDir(const std::string& fromOption, const char* argv0);

// Changes into the directory; false (with the reason in `error`) if it fails.
bool EnterDataDir(const std::string& path, std::string& error);

std::string ExecutableDir(const char* argv0);
