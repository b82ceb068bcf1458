#pragma once
#include <string>
#include <vector>

// The closing table of make bench: each figure with its aim, the reference
// path's figure of the same run and how many times faster ours is.
class SummaryTable {
public:
    // `aim` 0: the figure has no aim. `reference` 0: there is no reference.
    // `atLeast`: the aim is a figure to reach (steps a second), not one to stay under.
    void Add(const std::string& what, double figure, double aim, double reference, const std::string& unit,
             bool atLeast = false);
    void Print() const;

private:
    struct Row {
        std::string what, unit;
        double figure, aim, reference;
        bool atLeast;
    };
    std::vector<Row> rows_;
};
