#include "collision/CellIndex.h"
#include <algorithm>
#include <cmath>

namespace {
// Wider boxes are rare (nothing in the game comes near) and are cheaper to
// test one by one than to file under thousands of cells.
constexpr int64_t kMaxCellsPerAxis = 64;
constexpr float kMaxCoordinate = 1.0e8f;

bool CellRange(float a, float b, int32_t& first, int32_t& last) {
    if (!std::isfinite(a) || !std::isfinite(b)) return false;
    float low = std::min(a, b), high = std::max(a, b);
    if (low < -kMaxCoordinate || high > kMaxCoordinate) return false;
    first = int32_t(std::floor(low / CellIndex::kCellSize));
    last = int32_t(std::floor(high / CellIndex::kCellSize));
    return int64_t(last) - first < kMaxCellsPerAxis;
}
}

bool CellIndex::SpanOf(float minX, float minY, float maxX, float maxY, CellSpan& span) {
    return CellRange(minX, maxX, span.x0, span.x1) && CellRange(minY, maxY, span.y0, span.y1);
}

void CellIndex::Insert(Collision::ICollision* shape, const CellSpan& span) {
    for (int32_t x = span.x0; x <= span.x1; ++x)
        for (int32_t y = span.y0; y <= span.y1; ++y) cells_[Key(x, y)].push_back(shape);
}

void CellIndex::Remove(Collision::ICollision* shape, const CellSpan& span) {
    for (int32_t x = span.x0; x <= span.x1; ++x) {
        for (int32_t y = span.y0; y <= span.y1; ++y) {
            auto cell = cells_.find(Key(x, y));
            if (cell == cells_.end()) continue;
            std::vector<Collision::ICollision*>& list = cell->second;
            auto it = std::find(list.begin(), list.end(), shape);
            if (it != list.end()) list.erase(it);
            if (list.empty()) cells_.erase(cell);
        }
    }
}

void CellIndex::Collect(const CellSpan& span, std::vector<Collision::ICollision*>& out) const {
    for (int32_t x = span.x0; x <= span.x1; ++x) {
        for (int32_t y = span.y0; y <= span.y1; ++y) {
            auto cell = cells_.find(Key(x, y));
            if (cell != cells_.end()) out.insert(out.end(), cell->second.begin(), cell->second.end());
        }
    }
}
