#include "platform/DrawList.h"
#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

static_assert(sizeof(QuadCommand) == 4 + 4 + 12 + 4 * 28, "quad commands compare as plain bytes");

namespace {
// The rasterizer puts corners on a grid of 1/256 pixel at the logical size
// and the projection rounds them by far less: a box is taken this much
// larger on every side before its pixels are counted.
constexpr float kRoundingReach = 1.0f / 64.0f;
// How far back a quad looks for a call of its texture, and how many quads
// of a call whose box it meets are tested one by one: beyond that it is
// taken as overlapping, which keeps a frame's planning short.
constexpr size_t kCallsLookedBack = 32;
constexpr size_t kQuadsTestedInACall = 64;

// Whether a pixel centre (k + 0.5) lies within [low, high] of both.
bool AxesMayShare(float aMin, float aMax, float bMin, float bMax) {
    const float low = std::max(aMin, bMin) - kRoundingReach;
    const float high = std::min(aMax, bMax) + kRoundingReach;
    return std::floor(high - 0.5f) >= std::ceil(low - 0.5f);
}

bool Finite(const QuadBox& box) {
    return std::isfinite(box.minX) && std::isfinite(box.minY) && std::isfinite(box.maxX) && std::isfinite(box.maxY);
}

// The pixels from `first` to `last` of one axis of a screen of `size`.
struct PixelRange {
    int first, last;
    bool Empty() const { return last < first; }
};

// The pixels of one axis whose centre lies within [low - margin, high +
// margin], clipped to the screen.
PixelRange PixelCentresWithin(float low, float high, float margin, int size) {
    const float first = std::ceil(low - margin - 0.5f), last = std::floor(high + margin - 0.5f);
    return {int(std::clamp(first, 0.0f, float(size))), int(std::clamp(last, -1.0f, float(size - 1)))};
}

QuadBox Union(const QuadBox& a, const QuadBox& b) {
    return {std::min(a.minX, b.minX), std::min(a.minY, b.minY), std::max(a.maxX, b.maxX), std::max(a.maxY, b.maxY)};
}
}

QuadBox BoxOfQuad(const QuadCommand& quad) {
    // Corners 0 and 3 are opposite, whatever the signs of the sides.
    const QuadVertex* c = quad.corners;
    QuadBox box{std::min(c[0].x, c[3].x), std::min(c[0].y, c[3].y), std::max(c[0].x, c[3].x), std::max(c[0].y, c[3].y)};
    if (quad.turn.degrees == 0.0f) return box;
    // Turned about its pivot, the quad stays within the circle through its
    // farthest corner (a pixel more for the rounding of the turn).
    const float px = quad.turn.pivotX, py = quad.turn.pivotY;
    const float dx = std::max(std::abs(box.minX - px), std::abs(box.maxX - px));
    const float dy = std::max(std::abs(box.minY - py), std::abs(box.maxY - py));
    const float reach = std::sqrt(dx * dx + dy * dy) + 1.0f;
    return {px - reach, py - reach, px + reach, py + reach};
}

bool BoxesMayShareAPixel(const QuadBox& a, const QuadBox& b) {
    if (!Finite(a) || !Finite(b)) return true;
    return AxesMayShare(a.minX, a.maxX, b.minX, b.maxX) && AxesMayShare(a.minY, a.maxY, b.minY, b.maxY);
}

bool ReachesLogicalScreen(const QuadCommand& quad) {
    const QuadBox box = BoxOfQuad(quad);
    // Written so that a quad with a NaN corner is kept, as GL would be given it.
    return !(box.maxX <= 0.0f || box.minX >= float(LogicalWidth()) || box.maxY <= 0.0f ||
             box.minY >= float(LogicalHeight()));
}

bool DrawPlan::MayShareAPixel(const Call& call, const QuadBox& box) const {
    if (!BoxesMayShareAPixel(call.box, box)) return false;
    size_t tested = 0;
    bool shares = false;
    ForEachQuad(call, [&](size_t i) {
        if (shares) return;
        shares = ++tested > kQuadsTestedInACall || BoxesMayShareAPixel(boxes_[i], box);
    });
    return shares;
}

// Each quad goes back over the calls made so far, from the last, to the
// nearest call of its texture, and joins it unless a call on the way may
// share a pixel with it; otherwise it starts a call at the end. A turned
// quad is a call of its own that nothing joins.
void DrawPlan::Make(const std::vector<QuadCommand>& quads) {
    calls_.clear();
    next_.assign(quads.size(), 0);
    boxes_.resize(quads.size());
    for (size_t i = 0; i < quads.size(); ++i) {
        const QuadCommand& quad = quads[i];
        const QuadBox box = boxes_[i] = BoxOfQuad(quad);
        const bool turned = quad.turn.degrees != 0.0f;
        Call* target = nullptr;
        for (size_t back = 0; !turned && back < calls_.size() && back < kCallsLookedBack; ++back) {
            Call& call = calls_[calls_.size() - 1 - back];
            if (call.texture == quad.texture && call.opaque == quad.opaque && !call.turned) {
                target = &call;
                break;
            }
            if (MayShareAPixel(call, box)) break;
        }
        if (!target) {
            calls_.push_back({quad.texture, quad.opaque, turned, i, i, box});
            continue;
        }
        next_[target->last] = i;
        target->last = i;
        target->box = Union(target->box, box);
    }
}

namespace {
bool RowCovered(const std::vector<unsigned char>& cover, int width, int y, const PixelRange& xs) {
    return !memchr(&cover[size_t(y) * size_t(width) + size_t(xs.first)], 0, size_t(xs.last - xs.first + 1));
}

bool Whole(float v) { return v == std::floor(v); }

// Whether a quad is an upright rectangle on whole pixels, corners in the
// order SetQuadCorners gives them: then a cut between two of its rows
// leaves every pixel of the rest the texel it showed.
bool CutsBetweenRows(const QuadCommand& quad) {
    const QuadVertex* c = quad.corners;
    return quad.turn.degrees == 0.0f && c[0].y == c[1].y && c[2].y == c[3].y && c[0].y < c[2].y && c[0].x == c[2].x &&
           c[1].x == c[3].x && Whole(c[0].y) && Whole(c[2].y) && Whole(c[0].x) && Whole(c[1].x);
}

// Moves the quad's top and bottom edges to rows `top` and `bottom`, its
// texture's rows with them.
void KeepRows(QuadCommand& quad, float top, float bottom) {
    QuadVertex* c = quad.corners;
    const float y0 = c[0].y, height = c[2].y - c[0].y, t0 = c[0].t, t1 = c[2].t;
    auto textureRow = [&](float y) { return t0 + (t1 - t0) * ((y - y0) / height); };
    const float newT0 = textureRow(top), newT1 = textureRow(bottom);
    c[0].y = c[1].y = top;
    c[0].t = c[1].t = newT0;
    c[2].y = c[3].y = bottom;
    c[2].t = c[3].t = newT1;
}
}

void LeaveOutHiddenPixels(std::vector<QuadCommand>& quads, int width, int height, std::vector<unsigned char>& cover,
                          std::vector<unsigned char>& hidden) {
    cover.assign(size_t(std::max(width, 0)) * size_t(std::max(height, 0)), 0);
    hidden.assign(quads.size(), 0);
    for (size_t i = quads.size(); i-- > 0;) {
        QuadCommand& quad = quads[i];
        const QuadBox box = BoxOfQuad(quad);
        if (!Finite(box)) continue;
        const PixelRange xs = PixelCentresWithin(box.minX, box.maxX, kRoundingReach, width);
        PixelRange ys = PixelCentresWithin(box.minY, box.maxY, kRoundingReach, height);
        while (!xs.Empty() && !ys.Empty() && RowCovered(cover, width, ys.first, xs)) ++ys.first;
        while (!xs.Empty() && !ys.Empty() && RowCovered(cover, width, ys.last, xs)) --ys.last;
        hidden[i] = xs.Empty() || ys.Empty();
        if (hidden[i]) continue;
        const float top = std::max(float(ys.first), box.minY), bottom = std::min(float(ys.last + 1), box.maxY);
        if ((top != box.minY || bottom != box.maxY) && CutsBetweenRows(quad)) KeepRows(quad, top, bottom);
        // An opaque upright quad replaces every pixel whose centre it holds.
        if (!quad.opaque || quad.turn.degrees != 0.0f) continue;
        const PixelRange cx = PixelCentresWithin(box.minX, box.maxX, -kRoundingReach, width),
                         cy = PixelCentresWithin(box.minY, box.maxY, -kRoundingReach, height);
        for (int y = cy.first; y <= cy.last && !cx.Empty(); ++y)
            memset(&cover[size_t(y) * size_t(width) + size_t(cx.first)], 1, size_t(cx.last - cx.first + 1));
    }
}

void DrawList::Clear() { quads_.clear(); }

void DrawList::Swap(DrawList& other) { quads_.swap(other.quads_); }

bool DrawList::SameQuadsAs(const DrawList& other) const {
    return quads_.size() == other.quads_.size() &&
           (quads_.empty() || memcmp(quads_.data(), other.quads_.data(), quads_.size() * sizeof(QuadCommand)) == 0);
}

// Each upright quad becomes the two triangles its strip would have made, in
// order, so the pixels covered and their blending are the same as quad by quad.
size_t DrawList::Draw() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    drawn_ = quads_;
    LeaveOutHiddenPixels(drawn_, LogicalWidth(), LogicalHeight(), cover_, hidden_);
    shown_.clear();
    for (size_t i = 0; i < drawn_.size(); ++i)
        if (!hidden_[i]) shown_.push_back(drawn_[i]);
    plan_.Make(shown_);
    for (const DrawPlan::Call& call : plan_.Calls()) {
        UseBlendState(call.texture, call.opaque != 0);
        if (call.turned) {
            const QuadCommand& quad = shown_[call.first];
            DrawTurnedQuad(quad.turn, quad.corners);
            continue;
        }
        triangles_.clear();
        plan_.ForEachQuad(call, [this](size_t i) {
            const QuadVertex* c = shown_[i].corners;
            triangles_.insert(triangles_.end(), {c[0], c[1], c[2], c[2], c[1], c[3]});
        });
        DrawTriangles(triangles_.data(), triangles_.size());
    }
    return plan_.Calls().size();
}
