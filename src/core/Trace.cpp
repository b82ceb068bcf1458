#include "core/Trace.h"
#include "base/Log.h"
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <utility>
#include <vector>

namespace {
struct TraceState {
    FILE* file = nullptr;
    std::string path;
    std::string error;  // why the trace stopped early
    std::vector<std::pair<std::string, TraceFieldWriter>> fields;
    std::map<const GameState*, const char*> stateNames;
};

TraceState& Tracer() {
    static TraceState state;
    return state;
}
}

void AddTraceField(const std::string& name, TraceFieldWriter writer) {
    for (const auto& field : Tracer().fields)
        if (field.first == name) return;
    Tracer().fields.emplace_back(name, std::move(writer));
}

void RegisterStateName(const GameState* state, const char* name) { Tracer().stateNames[state] = name; }

const char* StateName(const GameState* state) {
    auto it = Tracer().stateNames.find(state);
    return it == Tracer().stateNames.end() ? "none" : it->second;
}

std::string TraceWriteError(const std::string& path) {
    return "cannot write the trace file " + path + ": " + strerror(errno);
}

bool OpenTrace(const std::string& path, std::string& error) {
    CloseTrace(error);
    TraceState& tracer = Tracer();
    tracer.file = fopen(path.c_str(), "w");
    tracer.path = path;
    tracer.error.clear();
    if (!tracer.file) {
        error = TraceWriteError(path);
        return false;
    }
    // Each step's line reaches the file as it ends, for a program that
    // watches the trace of a paced game as it grows (tools/live-play.py).
    setvbuf(tracer.file, nullptr, _IOLBF, 0);
    return true;
}

bool TraceOpen() { return Tracer().file != nullptr; }

void WriteTraceLine(long step, const GameState* current) {
    TraceState& tracer = Tracer();
    if (!tracer.file) return;
    std::string line = "{\"step\":" + std::to_string(step) + ",\"state\":" + JsonString(StateName(current));
    for (auto& [name, writer] : tracer.fields) {
        std::string value = writer();
        if (!value.empty()) line += ",\"" + name + "\":" + value;
    }
    line += "}\n";
    if (fputs(line.c_str(), tracer.file) != EOF) return;
    // A full disk: the trace stops, said at once and again when it closes.
    tracer.error = TraceWriteError(tracer.path);
    PrintStatus("Trace stopped: %s", tracer.error.c_str());
    fclose(tracer.file);
    tracer.file = nullptr;
}

bool CloseTrace(std::string& error) {
    TraceState& tracer = Tracer();
    if (tracer.file && fclose(tracer.file) != 0 && tracer.error.empty()) tracer.error = TraceWriteError(tracer.path);
    tracer.file = nullptr;
    error = tracer.error;
    tracer.error.clear();
    return error.empty();
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char escape[8];
            snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[32];
    snprintf(buffer, sizeof buffer, "%.9g", value);
    return buffer;
}
