#pragma once
#include <string>

// The one reader of the JSON the game and its benchmarks write, for the
// tests, the benchmarks and the tools: one field of one line at a time (a
// trace line, or a line of Google Benchmark's output), without a parser.

// The text of the value of field `name` (a string keeps its quotes, an
// array or object its brackets), without the spaces around it; "" when the
// line has no such field.
std::string JsonField(const std::string& line, const std::string& name);
// The field read as a number; false, leaving `value` alone, when it is none.
bool JsonNumberField(const std::string& line, const std::string& name, double& value);
// The field read as a string, without its quotes; false, leaving `value`
// alone, when it is none.
bool JsonStringField(const std::string& line, const std::string& name, std::string& value);
