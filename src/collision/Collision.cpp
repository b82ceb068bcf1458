#include "collision/Collision.h"
#include "platform/Renderer.h"

namespace Collision {

namespace {

bool InInterval(float v, float low, float high) { return low <= v && v <= high; }

// Closed intervals that share at least one value, tested the way the level's
// tiles rely on: touching edges count.
bool IntervalsMeet(float aMin, float aMax, float bMin, float bMax) {
    return InInterval(aMin, bMin, bMax) || InInterval(aMax, bMin, bMax) || InInterval(bMin, aMin, aMax) ||
           InInterval(bMax, aMin, aMax);
}

bool Overlap(const Rectangle& a, const Rectangle& b) {
    return IntervalsMeet(a.min.x, a.max.x, b.min.x, b.max.x) && IntervalsMeet(a.min.y, a.max.y, b.min.y, b.max.y);
}

bool Contains(const Rectangle& r, const Vector3& p) {
    return InInterval(p.x, r.min.x, r.max.x) && InInterval(p.y, r.min.y, r.max.y) && InInterval(p.z, r.min.z, r.max.z);
}

Color WithAlpha(Color color, uint8_t alpha) { return Color((color.value & 0x00FFFFFFu) | uint32_t(alpha) << 24); }
}

CategoryMask& CategoryMask::operator=(uint32_t value) {
    value_ = value;
    if (owner_->world) owner_->world->MaskChanged(owner_);
    return *this;
}

ICollision::~ICollision() {
    if (world) world->RemoveFirst(this);
    ClearHits();
}

void ICollision::Register(bool detached) {
    if (detached) return;
    world = &TheCollisionWorld();
    world->Add(this);
}

void ICollision::Moved() {
    if (world) world->Moved(this);
}

void ICollision::SetMask(uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, uint32_t c5, uint32_t c6, uint32_t c7,
                         uint32_t c8, uint32_t c9) {
    mask = c1 | c2 | c3 | c4 | c5 | c6 | c7 | c8 | c9;
}

void ICollision::ClearHits() {
    for (ICollision* hit : hits) delete hit;
    hits.clear();
}

bool ICollision::Bounds(float& minX, float& minY, float& maxX, float& maxY) const {
    if (kind == kRectangleKind) {
        const Rectangle& r = static_cast<const Rectangle&>(*this);
        minX = r.min.x, minY = r.min.y, maxX = r.max.x, maxY = r.max.y;
        return true;
    }
    if (kind == kPointKind) {
        const Point& p = static_cast<const Point&>(*this);
        minX = maxX = p.position.x;
        minY = maxY = p.position.y;
        return true;
    }
    return false;
}

Rectangle::Rectangle(float x, float y, float width, float height, bool detached)
    : min(x, y, 0.0f), max(x + width, y + height, 0.0f), size(width, height, 0.0f) {
    kind = kRectangleKind;
    Register(detached);
}

// A copy joins the world of its source, after every shape already there.
Rectangle::Rectangle(const Rectangle& other) : ICollision(), min(other.min), max(other.max), size(other.size) {
    kind = other.kind;
    category = other.category;
    mask = other.mask;
    owner = other.owner;
    world = other.world;
    if (world) world->Add(this);
}

// A clone keeps the category, so that a hit list tells a wall from a ledge,
// and the owner.
ICollision* Rectangle::Clone() const {
    Rectangle* clone = new Rectangle(min.x, min.y, size.x, size.y, true);
    clone->category = category;
    clone->owner = owner;
    return clone;
}

bool Rectangle::Collide(const ICollision& other) {
    if (other.kind != kRectangleKind) return false;
    const Rectangle& r = static_cast<const Rectangle&>(other);
    if (!Overlap(*this, r)) return false;
    hits.push_back(r.Clone());
    return true;
}

void Rectangle::DebugDraw(float offsetX, float offsetY) const {
    Color color = DebugColor(category);
    float x = min.x + offsetX, y = min.y + offsetY;
    FillRect(x, y, size.x, size.y, WithAlpha(color, 30));
    Color outline = WithAlpha(color, 255);
    FillRect(x, y, size.x, 1.0f, outline);
    FillRect(x, y, 1.0f, size.y, outline);
    FillRect(x, max.y - 1.0f + offsetY, size.x, 1.0f, outline);
    FillRect(max.x - 1.0f + offsetX, y, 1.0f, size.y, outline);
}

void Rectangle::SetPosition(const Vector3& p) {
    min = p;
    max.x = min.x + size.x;
    max.y = min.y + size.y;
    Moved();
}

void Rectangle::SetSize(const Vector3& s) {
    size = s;
    max.x = min.x + size.x;
    max.y = min.y + size.y;
    Moved();
}

Point::Point(float x, float y, bool detached) : position(x, y, 0.0f) {
    kind = kPointKind;
    Register(detached);
}

ICollision* Point::Clone() const {
    Point* clone = new Point(position.x, position.y, true);
    clone->category = category;
    clone->owner = owner;
    return clone;
}

bool Point::Collide(const ICollision& other) {
    if (other.kind == kPointKind) return position == static_cast<const Point&>(other).position;
    if (other.kind != kRectangleKind) return false;
    const Rectangle& r = static_cast<const Rectangle&>(other);
    if (Contains(r, position)) hits.push_back(r.Clone());
    return false;
}

void Point::DebugDraw(float offsetX, float offsetY) const {
    FillRect(position.x + offsetX, position.y + offsetY, 2.0f, 2.0f, WithAlpha(DebugColor(category), 230));
}

void Point::SetPosition(const Vector3& p) {
    position = p;
    Moved();
}

// At the centre, and anywhere in the right or lower half, the push goes
// towards the right or bottom edge.
Vector3 Point::PushOutOf(const Rectangle& r) const {
    float centreX = r.max.x - r.GetWidth() * 0.5f;
    float centreY = r.max.y - r.GetHeight() * 0.5f;
    float dx = position.x >= centreX ? r.max.x - position.x : r.min.x - position.x;
    float dy = position.y >= centreY ? r.max.y - position.y : r.min.y - position.y;
    return Vector3(dx, dy, 0.0f);
}

Color DebugColor(uint32_t category) {
    switch (category) {
    case 0x1: return Color::FromBytes(0xFF, 0x00, 0x00, 0);
    case 0x2: return Color::FromBytes(0xFF, 0x80, 0x00, 0);
    case 0x4: return Color::FromBytes(0xFF, 0xFF, 0x00, 0);
    case 0x8: return Color::FromBytes(0x80, 0xFF, 0x00, 0);
    case 0x10: return Color::FromBytes(0x00, 0xFF, 0x00, 0);
    case 0x20: return Color::FromBytes(0x00, 0xFF, 0x80, 0);
    case 0x40: return Color::FromBytes(0x00, 0xFF, 0xFF, 0);
    case 0x80: return Color::FromBytes(0x00, 0x80, 0xFF, 0);
    case 0x100: return Color::FromBytes(0x00, 0x00, 0xFF, 0);
    case 0x200: return Color::FromBytes(0x80, 0x00, 0xFF, 0);
    case 0x400: return Color::FromBytes(0xFF, 0x00, 0xFF, 0);
    case 0x800: return Color::FromBytes(0xAA, 0x00, 0x00, 0);
    case 0x1000: return Color::FromBytes(0xAA, 0x40, 0x00, 0);
    case 0x2000: return Color::FromBytes(0xAA, 0xAA, 0x00, 0);
    case 0x4000: return Color::FromBytes(0x40, 0xAA, 0x00, 0);
    case 0x8000: return Color::FromBytes(0x00, 0xAA, 0x00, 0);
    case 0x10000: return Color::FromBytes(0x00, 0xAA, 0x40, 0);
    case 0x20000: return Color::FromBytes(0x00, 0xAA, 0xAA, 0);
    case 0x40000:
    case 0x80000: return Color::FromBytes(0x00, 0x40, 0xAA, 0);
    default: return Color::FromBytes(0xFF, 0xFF, 0xFF, 0);
    }
}

}  // namespace Collision
