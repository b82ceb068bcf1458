#include "base/Log.h"
#include <cstdarg>
#include <cstdio>

namespace {
LogSink& Sink() {
    static LogSink sink;
    return sink;
}
}

void SetLogSink(LogSink sink) { Sink() = std::move(sink); }

void ForwardToSink(const std::string& text) {
    if (Sink()) Sink()(text);
}

std::string FormatMessage(const char* format, va_list args) {
    char buffer[16384];
    vsnprintf(buffer, sizeof buffer, format, args);
    return buffer;
}

void PrintStatus(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatMessage(format, args);
    va_end(args);
    fputs(text.c_str(), stdout);
    fputs("\r\n", stdout);
    fflush(stdout);
    ForwardToSink(text);
}

void PrintProblems(const std::string& prefix, const std::string& file, const std::vector<std::string>& problems) {
    for (size_t i = 0; i < problems.size() && i < kShownProblems; ++i)
        PrintStatus("%s %s", prefix.c_str(), problems[i].c_str());
    const size_t more = problems.size() > kShownProblems ? problems.size() - kShownProblems : 0;
    if (more > 0) PrintStatus("%s %s: %zu more problem%s", prefix.c_str(), file.c_str(), more, more == 1 ? "" : "s");
}
