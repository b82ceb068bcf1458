#pragma once
#include "json/JsonField.h"
#include <functional>
#include <string>
#include <vector>

// Runs the real duskhold binary (or a tool) with the given arguments and
// waits for it; standard output and standard error are captured together.
struct RunResult {
    int exitCode = -1;
    std::string output;
};
// `watch`, when given, sees the output so far each time more comes.
RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::function<void(const std::string& output)>& watch = nullptr);
RunResult RunGame(const std::vector<std::string>& args);

// The path of a built tool, duskhold-<name>.
std::string ToolPath(const std::string& name);
// The generated data directory of the build.
std::string BuiltDataDir();

// The lines of a trace file; JsonField reads a field of one of them.
std::vector<std::string> ReadLines(const std::string& path);
