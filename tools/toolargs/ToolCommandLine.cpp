#include "toolargs/ToolCommandLine.h"
#include <algorithm>
#include <cstdio>

namespace {
bool Listed(const std::vector<std::string>& list, const std::string& option) {
    return std::find(list.begin(), list.end(), option) != list.end();
}

bool Refuse(const char* argv0, const std::string& what) {
    std::string tool = argv0;
    fprintf(stderr, "%s: %s\n", tool.substr(tool.find_last_of('/') + 1).c_str(), what.c_str());
    return false;
}
}  // namespace

std::string ToolCommandLine::Value(const std::string& option, const std::string& fallback) const {
    auto found = options.find(option);
    return found == options.end() ? fallback : found->second;
}

bool ParseToolCommandLine(int argc, const char* const* argv, const std::vector<std::string>& flags,
                          const std::vector<std::string>& valued, ToolCommandLine& line) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            line.arguments.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || Listed(flags, arg)) {
            line.options[arg] = "";
        } else if (!Listed(valued, arg)) {
            return Refuse(argv[0], "unknown option " + arg);
        } else if (i + 1 < argc) {
            line.options[arg] = argv[++i];
        } else {
            return Refuse(argv[0], arg + " needs a value");
        }
    }
    return true;
}
