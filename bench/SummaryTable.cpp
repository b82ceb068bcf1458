#include "SummaryTable.h"
#include <cstdio>

namespace {
std::string Format(const char* format, double value) {
    char text[48];
    snprintf(text, sizeof text, format, value);
    return text;
}

std::string Amount(double value, const std::string& unit) {
    return Format(value < 10 ? "%.3g" : "%.0f", value) + " " + unit;
}
}

void SummaryTable::Add(const std::string& what, double figure, double aim, double reference, const std::string& unit,
                       bool atLeast) {
    rows_.push_back({what, unit, figure, aim, reference, atLeast});
}

void SummaryTable::Print() const {
    printf("\n%-40s %-10s %-11s %-11s %-9s %s\n", "Figure", "Aim", "Ours", "Reference", "Ref/ours", "Aim met");
    for (const Row& row : rows_) {
        std::string aim = row.aim > 0 ? (row.atLeast ? "> " : "< ") + Amount(row.aim, row.unit) : "-";
        std::string reference = row.reference > 0 ? Amount(row.reference, row.unit) : "-";
        std::string ratio = row.reference > 0 && row.figure > 0 ? Format("%.1fx", row.reference / row.figure) : "-";
        const bool met = row.atLeast ? row.figure >= row.aim : row.figure < row.aim;
        const char* verdict = row.aim <= 0 ? "-" : met ? "met" : "missed";
        printf("%-40s %-10s %-11s %-11s %-9s %s\n", row.what.c_str(), aim.c_str(), Amount(row.figure, row.unit).c_str(),
               reference.c_str(), ratio.c_str(), verdict);
    }
}
