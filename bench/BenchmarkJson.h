#pragma once
#include <map>
#include <string>

// The wall-clock time per iteration of each benchmark in a file written by
// Google Benchmark's --benchmark_out (JSON), in microseconds, by benchmark
// name. Empty when the file cannot be read.
std::map<std::string, double> BenchmarkRealTimesUs(const std::string& path);
