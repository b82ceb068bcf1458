#include "routewindow/Hits.h"
#include "json/JsonField.h"

std::vector<Hit> HitsInTrace(const std::vector<std::string>& trace) {
    std::vector<Hit> hits;
    for (size_t line = 0; line < trace.size(); ++line) {
        const std::string field = JsonField(trace[line], "hit");
        if (field.empty()) continue;
        Hit hit;
        hit.step = long(line) + 1;
        double seen = 0, thrower = -1;
        JsonStringField(field, "by", hit.kind);
        JsonNumberField(field, "seen", seen);
        JsonNumberField(field, "thrower", thrower);
        hit.stepsInView = long(seen);
        hit.throwerInView = long(thrower);
        hits.push_back(hit);
    }
    return hits;
}
