#include "platform/DrawList.h"
#include <GL/gl.h>
#include <cstring>
#include <utility>

static_assert(sizeof(QuadCommand) == 4 + 12 + 4 * 28, "quad commands compare as plain bytes");

void DrawList::Clear() { quads_.clear(); }

void DrawList::Swap(DrawList& other) { quads_.swap(other.quads_); }

bool DrawList::SameQuadsAs(const DrawList& other) const {
    return quads_.size() == other.quads_.size() &&
           (quads_.empty() || memcmp(quads_.data(), other.quads_.data(), quads_.size() * sizeof(QuadCommand)) == 0);
}

void DrawList::Draw() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    size_t first = 0;
    while (first < quads_.size()) {
        const QuadCommand& quad = quads_[first];
        UseBlendState(quad.texture);
        if (quad.turn.degrees != 0.0f) {
            DrawTurnedQuad(quad.turn, quad.corners);
            ++first;
            continue;
        }
        size_t end = first + 1;
        while (end < quads_.size() && quads_[end].texture == quad.texture && quads_[end].turn.degrees == 0.0f) ++end;
        DrawRun(first, end);
        first = end;
    }
}

// Each quad becomes the two triangles its strip would have made, in order,
// so the pixels covered and their blending are the same as quad by quad.
void DrawList::DrawRun(size_t first, size_t end) {
    triangles_.clear();
    for (size_t i = first; i < end; ++i) {
        const QuadVertex* c = quads_[i].corners;
        triangles_.insert(triangles_.end(), {c[0], c[1], c[2], c[2], c[1], c[3]});
    }
    DrawTriangles(triangles_.data(), triangles_.size());
}
