#pragma once
#include <map>
#include <string>
#include <vector>

// A tool's command line: its options in any position, the other arguments
// in their order. "--help" is always known; "--" ends the options.
struct ToolCommandLine {
    std::vector<std::string> arguments;
    std::map<std::string, std::string> options;  // a flag's value is ""

    bool Has(const std::string& option) const { return options.count(option) != 0; }
    std::string Value(const std::string& option, const std::string& fallback) const;
};

// `flags` stand alone, `valued` take the next argument. False after
// "duskhold-TOOL: unknown option -x" (or "... needs a value") on standard
// error; the tool then shows its usage and exits 2.
bool ParseToolCommandLine(int argc, const char* const* argv, const std::vector<std::string>& flags,
                          const std::vector<std::string>& valued, ToolCommandLine& line);
