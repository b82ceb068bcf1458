#include "support/RunGame.h"
#include "support/GlWindow.h"
#include <cstdio>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {
std::string Quote(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}
}

RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::function<void(const std::string& output)>& watch) {
    std::string command = Quote(program);
    for (const std::string& arg : args) command += " " + Quote(arg);
    command += " 2>&1";
    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    ssize_t n;
    while ((n = read(fileno(pipe), buffer, sizeof buffer)) > 0) {
        result.output.append(buffer, size_t(n));
        if (watch) watch(result.output);
    }
    int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

RunResult RunGame(const std::vector<std::string>& args) { return RunProgram(DUSKHOLD_BINARY, args); }

std::string ToolPath(const std::string& name) { return std::string(DUSKHOLD_BUILD_DIR) + "/duskhold-" + name; }

std::string BuiltDataDir() { return std::string(DUSKHOLD_BUILD_DIR) + "/data"; }

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}
