#include "base/Log.h"
#include <cstdarg>
#include <cstdio>

namespace {
LogSink& Sink() {
    static LogSink sink;
    return sink;
}

LogSink& PlayerSink() {
    static LogSink sink;
    return sink;
}

// Lines told before the player's sink listens; a program without one keeps
// only the last few.
constexpr size_t kMaxUnheardLines = 16;

std::vector<std::string>& UnheardLines() {
    static std::vector<std::string> lines;
    return lines;
}

void ForwardToPlayer(const std::string& text) {
    if (PlayerSink()) return PlayerSink()(text);
    std::vector<std::string>& unheard = UnheardLines();
    unheard.push_back(text);
    if (unheard.size() > kMaxUnheardLines) unheard.erase(unheard.begin());
}

void Print(const std::string& text) {
    fputs(text.c_str(), stdout);
    fputs("\r\n", stdout);
    fflush(stdout);
    if (Sink()) Sink()(text);
}
}

void SetLogSink(LogSink sink) { Sink() = std::move(sink); }

void SetPlayerSink(LogSink sink) {
    PlayerSink() = std::move(sink);
    if (!PlayerSink()) return;
    for (const std::string& line : UnheardLines()) PlayerSink()(line);
    UnheardLines().clear();
}

void ForwardToSink(const std::string& text) {
    if (Sink()) Sink()(text);
    ForwardToPlayer(text);
}

std::string FormatMessage(const char* format, va_list args) {
    char buffer[16384];
    vsnprintf(buffer, sizeof buffer, format, args);
    return buffer;
}

void PrintStatus(const char* format, ...) {
    va_list args;
    va_start(args, format);
    Print(FormatMessage(format, args));
    va_end(args);
}

void TellPlayer(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string text = FormatMessage(format, args);
    va_end(args);
    Print(text);
    ForwardToPlayer(text);
}

void PrintProblems(const std::string& prefix, const std::string& file, const std::vector<std::string>& problems) {
    for (size_t i = 0; i < problems.size() && i < kShownProblems; ++i)
        TellPlayer("%s %s", prefix.c_str(), problems[i].c_str());
    const size_t more = problems.size() > kShownProblems ? problems.size() - kShownProblems : 0;
    if (more > 0) TellPlayer("%s %s: %zu more problem%s", prefix.c_str(), file.c_str(), more, more == 1 ? "" : "s");
}
