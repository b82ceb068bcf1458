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
