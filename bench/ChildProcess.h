#pragma once
#include <string>
#include <sys/types.h>
#include <vector>

// Starting the game as a child process and watching it from outside.

// CLOCK_MONOTONIC in milliseconds, the clock the game's trace times use.
double MonotonicMs();

// Starts `argv[0]` with the arguments, standard output and standard error
// going to `logPath`; -1 if the process could not be made.
pid_t StartChild(const std::vector<std::string>& argv, const std::string& logPath);

// Waits for the child; its exit code, or -1 when a signal ended it.
int WaitChild(pid_t pid);

// The processor time the child has used so far, all its threads, user and
// system (from /proc/PID/stat), in seconds; -1 when it cannot be read.
double ChildCpuSeconds(pid_t pid);

// Runs the child to its end; true when it exited with 0. The log is shown
// on standard error when it did not.
bool RunChild(const std::vector<std::string>& argv, const std::string& logPath);
