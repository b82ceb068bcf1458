#pragma once
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace Collision {
class ICollision;
}

// A block of cells of the collision index, both ends included.
struct CellSpan {
    int32_t x0 = 0, y0 = 0, x1 = -1, y1 = -1;
};

// Shapes filed under every 32 by 32 pixel cell their closed box touches, so
// that a shape only meets the shapes of the cells it touches itself.
class CellIndex {
public:
    static constexpr float kCellSize = 32.0f;
    // The cells of a closed box; false when the box is not finite or too
    // large to file cell by cell (such shapes are kept apart).
    static bool SpanOf(float minX, float minY, float maxX, float maxY, CellSpan& span);

    void Insert(Collision::ICollision* shape, const CellSpan& span);
    void Remove(Collision::ICollision* shape, const CellSpan& span);
    // Appends every shape filed in the span; a shape filed in several of its
    // cells comes several times.
    void Collect(const CellSpan& span, std::vector<Collision::ICollision*>& out) const;

private:
    static uint64_t Key(int32_t x, int32_t y) { return uint64_t(uint32_t(x)) << 32 | uint32_t(y); }
    std::unordered_map<uint64_t, std::vector<Collision::ICollision*>> cells_;
};
