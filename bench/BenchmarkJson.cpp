#include "BenchmarkJson.h"
#include "json/JsonField.h"
#include <fstream>

namespace {
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
        JsonNumberField(line, "real_time", realTime);
        JsonStringField(line, "name", name);
        if (JsonStringField(line, "time_unit", unit)) times[name] = realTime * MicrosecondsPer(unit);
    }
    return times;
}
