#pragma once
#include "collision/CellIndex.h"
#include "base/Color.h"
#include "base/SharedConstants.h"
#include "base/Vector3.h"
#include <cstddef>
#include <cstdint>
#include <list>
#include <vector>

class CollisionWorld;

namespace Collision {

class ICollision;

// The mask of a shape: reads as a plain 32-bit value, and writing it tells
// the shape's world, which keeps the shapes that look at hand for its pass.
class CategoryMask {
public:
    explicit CategoryMask(ICollision* owner) : owner_(owner) {}
    CategoryMask(const CategoryMask&) = delete;
    CategoryMask& operator=(const CategoryMask& other) { return *this = other.value_; }
    CategoryMask& operator=(uint32_t value);
    CategoryMask& operator|=(uint32_t bits) { return *this = value_ | bits; }
    CategoryMask& operator&=(uint32_t bits) { return *this = value_ & bits; }
    operator uint32_t() const { return value_; }

private:
    ICollision* owner_;
    uint32_t value_ = 0;
};

// An axis-aligned shape in world pixels. Shapes register in the collision
// world when built (unless detached) and leave it when destroyed.
// Move registered shapes with SetPosition and SetSize only: the world keeps
// them in a cell index that follows those calls.
class ICollision {
public:
    virtual ICollision* Clone() const = 0;
    virtual ~ICollision();
    virtual bool Collide(const ICollision& other) = 0;
    virtual void DebugDraw(float offsetX, float offsetY) const = 0;

    // Copies of the shapes touched in this shape's latest pass; they stay
    // owned by this shape and live until its next pass.
    std::list<ICollision*> GetHits() const { return hits; }
    void SetMask(uint32_t c1, uint32_t c2 = 0, uint32_t c3 = 0, uint32_t c4 = 0, uint32_t c5 = 0, uint32_t c6 = 0,
                 uint32_t c7 = 0, uint32_t c8 = 0, uint32_t c9 = 0);
    void ClearHits();
    // The closed box the shape covers, or false for a kind without geometry.
    bool Bounds(float& minX, float& minY, float& maxX, float& maxY) const;

    std::list<ICollision*> hits;
    CollisionWorld* world = nullptr;
    int32_t kind = kPointKind;  // kPointKind or kRectangleKind
    uint32_t category = 0;
    CategoryMask mask{this};
    // What the shape belongs to; clones keep it, so that a hit names it.
    const void* owner = nullptr;

protected:
    ICollision() = default;
    ICollision(const ICollision&) = delete;
    ICollision& operator=(const ICollision&) = delete;
    void Register(bool detached);
    // Tells the world that the geometry changed.
    void Moved();

private:
    friend class ::CollisionWorld;
    // The world's bookkeeping: place in its list, place in its pending
    // moves, whether it is among the lookers, and the cells it is filed under.
    size_t worldSlot_ = 0;
    size_t moveSlot_ = 0;
    bool moving_ = false;
    bool looking_ = false;
    bool indexed_ = false;
    CellSpan cells_;
};

class Rectangle : public ICollision {
public:
    Rectangle(float x, float y, float width, float height, bool detached = false);
    Rectangle(const Rectangle& other);
    ICollision* Clone() const override;
    bool Collide(const ICollision& other) override;
    void DebugDraw(float offsetX, float offsetY) const override;
    void SetPosition(const Vector3& p);
    void SetSize(const Vector3& s);
    float GetWidth() const { return size.x; }
    float GetHeight() const { return size.y; }

    Vector3 min;
    Vector3 max;
    Vector3 size;
};

class Point : public ICollision {
public:
    Point(float x, float y, bool detached = false);
    ICollision* Clone() const override;
    bool Collide(const ICollision& other) override;
    void DebugDraw(float offsetX, float offsetY) const override;
    void SetPosition(const Vector3& p);
    // The move that puts this point on the nearer edge of r on each axis.
    Vector3 PushOutOf(const Rectangle& r) const;

    Vector3 position;
};

// The overlay colour of a category (alpha 0; the drawing sets it).
Color DebugColor(uint32_t category);

}  // namespace Collision

// The process-wide list of registered shapes, in order of registration.
// Shapes are also filed by cell so that the pass and the overlay only visit
// shapes that can touch; every result is the same, in the same order, as
// visiting every registered shape in world order.
class CollisionWorld {
public:
    // The collision pass: every shape with a mask records what it touches.
    void Update();
    // The same pass testing every looking shape against every registered
    // shape; the reference the indexed pass is checked and measured against.
    void UpdateExhaustive();
    // The overlay of every shape that can reach the logical screen.
    // Does nothing while the outlines are hidden.
    void DrawAll(float offsetX, float offsetY);
    void ShowOutlines(bool shown) { outlinesShown_ = shown; }
    bool OutlinesShown() const { return outlinesShown_; }

    void Add(Collision::ICollision* shape);
    void RemoveFirst(Collision::ICollision* shape);
    void Moved(Collision::ICollision* shape);
    void MaskChanged(Collision::ICollision* shape);
    // The registered shapes in world order.
    const std::vector<Collision::ICollision*>& Shapes() const;

private:
    void ApplyMoves();
    void DropFormerLookers();
    void Refile(Collision::ICollision* shape);
    void Unfile(Collision::ICollision* shape);
    void Compact() const;
    // Shapes that may touch the closed box, in world order.
    void Candidates(const CellSpan& span, std::vector<Collision::ICollision*>& out);
    void CollideWithCandidates(Collision::ICollision& shape);
    void CollideWithEveryShape(Collision::ICollision& shape);

    // Removed shapes leave a null behind until the next compaction.
    mutable std::vector<Collision::ICollision*> shapes_;
    mutable size_t holes_ = 0;
    std::vector<Collision::ICollision*> moves_;
    // Every shape with a non-zero mask, and perhaps some whose mask went back
    // to zero since the last pass.
    std::vector<Collision::ICollision*> lookers_;
    std::vector<Collision::ICollision*> unfiled_;
    CellIndex index_;
    std::vector<Collision::ICollision*> scratch_;
    bool outlinesShown_ = true;
};

CollisionWorld& TheCollisionWorld();
