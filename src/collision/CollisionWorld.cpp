#include "collision/Collision.h"
#include "core/ReferencePaths.h"
#include "platform/Renderer.h"
#include <algorithm>

using Collision::ICollision;

namespace {
// Compacting only once holes make up half of the list keeps removal cheap
// when a level lets go of thousands of tiles in a row.
constexpr size_t kMinHolesToCompact = 64;
// A point's overlay square and a thin rectangle's outline reach this far
// left of and above the shape's own box.
constexpr float kOverlayReach = 2.0f;

// The pass's filter: never itself, never category 0, only what the mask selects.
void TestPair(ICollision& shape, ICollision& other) {
    if (&other == &shape || other.category == 0 || (shape.mask & other.category) == 0) return;
    shape.Collide(other);
}
}

CollisionWorld& TheCollisionWorld() {
    // Never destroyed: shapes that outlive static destruction still unregister.
    static CollisionWorld* world = new CollisionWorld;
    return *world;
}

void CollisionWorld::Add(ICollision* shape) {
    shape->worldSlot_ = shapes_.size();
    shapes_.push_back(shape);
    Moved(shape);
    MaskChanged(shape);
}

void CollisionWorld::RemoveFirst(ICollision* shape) {
    size_t slot = shape->worldSlot_;
    if (slot >= shapes_.size() || shapes_[slot] != shape) {
        auto it = std::find(shapes_.begin(), shapes_.end(), shape);
        if (it == shapes_.end()) return;
        slot = size_t(it - shapes_.begin());
    }
    shapes_[slot] = nullptr;
    ++holes_;
    if (shape->moving_) moves_[shape->moveSlot_] = nullptr;
    shape->moving_ = false;
    if (shape->looking_) lookers_.erase(std::find(lookers_.begin(), lookers_.end(), shape));
    shape->looking_ = false;
    Unfile(shape);
    if (holes_ >= kMinHolesToCompact && holes_ * 2 >= shapes_.size()) Compact();
}

void CollisionWorld::Moved(ICollision* shape) {
    if (shape->moving_) return;
    shape->moving_ = true;
    shape->moveSlot_ = moves_.size();
    moves_.push_back(shape);
}

void CollisionWorld::MaskChanged(ICollision* shape) {
    if (shape->mask == 0 || shape->looking_) return;
    shape->looking_ = true;
    lookers_.push_back(shape);
}

const std::vector<ICollision*>& CollisionWorld::Shapes() const {
    if (holes_ > 0) Compact();
    return shapes_;
}

void CollisionWorld::Compact() const {
    size_t kept = 0;
    for (ICollision* shape : shapes_) {
        if (!shape) continue;
        shape->worldSlot_ = kept;
        shapes_[kept++] = shape;
    }
    shapes_.resize(kept);
    holes_ = 0;
}

void CollisionWorld::ApplyMoves() {
    for (ICollision* shape : moves_) {
        if (!shape) continue;
        shape->moving_ = false;
        Refile(shape);
    }
    moves_.clear();
}

void CollisionWorld::Refile(ICollision* shape) {
    Unfile(shape);
    float minX, minY, maxX, maxY;
    CellSpan span;
    if (shape->Bounds(minX, minY, maxX, maxY) && CellIndex::SpanOf(minX, minY, maxX, maxY, span)) {
        index_.Insert(shape, span);
        shape->cells_ = span;
        shape->indexed_ = true;
    } else {
        unfiled_.push_back(shape);
    }
}

void CollisionWorld::Unfile(ICollision* shape) {
    if (shape->indexed_) {
        index_.Remove(shape, shape->cells_);
        shape->indexed_ = false;
        return;
    }
    auto it = std::find(unfiled_.begin(), unfiled_.end(), shape);
    if (it != unfiled_.end()) unfiled_.erase(it);
}

void CollisionWorld::Candidates(const CellSpan& span, std::vector<ICollision*>& out) {
    out.clear();
    index_.Collect(span, out);
    out.insert(out.end(), unfiled_.begin(), unfiled_.end());
    std::sort(out.begin(), out.end(),
              [](const ICollision* a, const ICollision* b) { return a->worldSlot_ < b->worldSlot_; });
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

void CollisionWorld::CollideWithEveryShape(ICollision& shape) {
    for (ICollision* other : shapes_)
        if (other) TestPair(shape, *other);
}

void CollisionWorld::CollideWithCandidates(ICollision& shape) {
    float minX, minY, maxX, maxY;
    CellSpan span;
    if (!shape.Bounds(minX, minY, maxX, maxY) || !CellIndex::SpanOf(minX, minY, maxX, maxY, span)) {
        CollideWithEveryShape(shape);
        return;
    }
    Candidates(span, scratch_);
    for (ICollision* other : scratch_) TestPair(shape, *other);
}

// Each looking shape's hits depend only on the shapes it meets, so the
// lookers may be visited in any order; the shapes each one meets are taken
// in world order.
void CollisionWorld::Update() {
    ApplyMoves();
    DropFormerLookers();
    for (ICollision* shape : lookers_) {
        shape->ClearHits();
        CollideWithCandidates(*shape);
    }
}

void CollisionWorld::DropFormerLookers() {
    auto stopped = std::remove_if(lookers_.begin(), lookers_.end(), [](ICollision* shape) {
        if (shape->mask != 0) return false;
        shape->looking_ = false;
        return true;
    });
    lookers_.erase(stopped, lookers_.end());
}

void CollisionWorld::UpdateExhaustive() {
    for (ICollision* shape : shapes_) {
        if (!shape || shape->mask == 0) continue;
        shape->ClearHits();
        CollideWithEveryShape(*shape);
    }
}

void CollisionWorld::DrawAll(float offsetX, float offsetY) {
    ApplyMoves();
    if (!outlinesShown_) return;
    float left = -offsetX, top = -offsetY;
    CellSpan span;
    if (ReferencePaths() || !CellIndex::SpanOf(left - kOverlayReach, top - kOverlayReach, left + LogicalWidth(),
                                               top + LogicalHeight(), span)) {
        for (ICollision* shape : shapes_)
            if (shape) shape->DebugDraw(offsetX, offsetY);
        return;
    }
    Candidates(span, scratch_);
    for (ICollision* shape : scratch_) shape->DebugDraw(offsetX, offsetY);
}
