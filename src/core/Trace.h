#pragma once
#include <functional>
#include <string>

class GameState;

// One JSON object per line, written after each step's update:
// {"step":N,"state":NAME,<registered fields in order of registration>}.
// A field whose writer returns an empty string is left out of that line.
// A name already registered keeps its first writer, so a screen may register
// its fields each time it is entered.
using TraceFieldWriter = std::function<std::string()>;
void AddTraceField(const std::string& name, TraceFieldWriter writer);
void RegisterStateName(const GameState* state, const char* name);
const char* StateName(const GameState* state);

bool OpenTrace(const std::string& path, std::string& error);
bool TraceOpen();
// A line that cannot be written (a full disk) stops the trace with a status line.
void WriteTraceLine(long step, const GameState* current);
// False, with the reason, when the trace could not be written whole.
bool CloseTrace(std::string& error);

// Helpers for field writers.
std::string JsonString(const std::string& text);
std::string JsonNumber(double value);
