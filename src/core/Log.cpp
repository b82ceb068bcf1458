#include "core/Log.h"
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

void PrintStatus(const char* format, ...) {
    char buffer[16384];
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    fputs(buffer, stdout);
    fputs("\r\n", stdout);
    fflush(stdout);
    ForwardToSink(buffer);
}
