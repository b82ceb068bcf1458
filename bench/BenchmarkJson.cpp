#include "BenchmarkJson.h"
#include <cstdlib>
#include <fstream>

namespace {
// The text between the quotes after `"key": ` on a line of the file.
bool QuotedValue(const std::string& line, const std::string& key, std::string& value) {
    size_t at = line.find("\"" + key + "\": \"");
    if (at == std::string::npos) return false;
    size_t start = at + key.size() + 5;
    value = line.substr(start, line.find('"', start) - start);
    return true;
}

double MicrosecondsPer(const std::string& unit) {
    if (unit == "ns") return 1e-3;
    if (unit == "ms") return 1e3;
    if (unit == "s") return 1e6;
    return 1.0;
}
}

// Each benchmark is one object whose fields stand one to a line, the name
// first, then the real time, then its unit.
std::map<std::string, double> BenchmarkRealTimesUs(const std::string& path) {
    std::map<std::string, double> times;
    std::ifstream in(path);
    std::string name, unit;
    double realTime = 0;
    for (std::string line; std::getline(in, line);) {
        size_t at = line.find("\"real_time\": ");
        if (at != std::string::npos) realTime = strtod(line.c_str() + at + 13, nullptr);
        QuotedValue(line, "name", name);
        if (QuotedValue(line, "time_unit", unit)) times[name] = realTime * MicrosecondsPer(unit);
    }
    return times;
}
