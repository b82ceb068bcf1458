#pragma once
#include <cstdarg>
#include <functional>
#include <string>
#include <vector>

// Status lines go to standard output, ending with "\r\n", and to whatever
// sink is listening (the developer console), so that a player sees them in
// the window too.
void PrintStatus(const char* format, ...) __attribute__((format(printf, 1, 2)));
// A status line the player needs (a file that did not load, progress or
// settings not saved): printed as any, and also shown to the player over
// the picture, the console drawn or not.
void TellPlayer(const char* format, ...) __attribute__((format(printf, 1, 2)));
// One status line "PREFIX PROBLEM" for each of the first kShownProblems
// problems of one file and, past them, "PREFIX FILE: N more problems", so
// that a file of thousands of bad lines says a few and counts the rest;
// each told to the player.
constexpr size_t kShownProblems = 5;
void PrintProblems(const std::string& prefix, const std::string& file, const std::vector<std::string>& problems);
// Formats like vsnprintf into the fixed 16384-byte message size, cutting
// what does not fit.
std::string FormatMessage(const char* format, va_list args);
// Passes a finished message to the sink and to the player (used for error
// box texts).
void ForwardToSink(const std::string& text);

using LogSink = std::function<void(const std::string& line)>;
void SetLogSink(LogSink sink);
// Where the lines told to the player go (the message line); those told
// before it listens are passed to it then.
void SetPlayerSink(LogSink sink);
