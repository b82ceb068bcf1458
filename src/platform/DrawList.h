#pragma once
#include "platform/Renderer.h"
#include <cstddef>
#include <vector>

// One alpha-blended quad of a recorded frame (see BlendQuad).
struct QuadCommand {
    unsigned texture;
    uint32_t opaque;  // drawn without blending (see BlendQuad)
    QuadTurn turn;
    QuadVertex corners[4];
};

// The box a quad can cover, turned about its pivot, in logical pixels.
struct QuadBox {
    float minX, minY, maxX, maxY;
};
QuadBox BoxOfQuad(const QuadCommand& quad);
// Whether two boxes may have a pixel in common, drawn at the logical size
// (pixel centres at half pixels); false only when they cannot, whatever
// the rounding of the rasterizer. A box with a NaN shares with every box.
bool BoxesMayShareAPixel(const QuadBox& a, const QuadBox& b);

// Whether any part of the quad, turned, can fall on the logical screen
// (0, 0) to (LogicalWidth(), LogicalHeight()); a quad it rejects covers no
// pixel there.
bool ReachesLogicalScreen(const QuadCommand& quad);

// The draw calls of a frame: each is one texture's upright quads, or one
// turned quad, and the calls in order give every pixel the quads that cover
// it in the order they were recorded. A quad joins an earlier call of its
// texture when no quad between them may share a pixel with it, so that
// tiles, things and outlines that do not overlap go to GL together.
class DrawPlan {
public:
    struct Call {
        unsigned texture;
        uint32_t opaque;
        bool turned;
        size_t first;  // quad indices: first, then next[first], ... up to last
        size_t last;
        QuadBox box;  // around all its quads
    };
    void Make(const std::vector<QuadCommand>& quads);
    const std::vector<Call>& Calls() const { return calls_; }
    // The quads of a call, in the order they are drawn.
    template <typename Visit>
    void ForEachQuad(const Call& call, Visit visit) const {
        for (size_t i = call.first;; i = next_[i]) {
            visit(i);
            if (i == call.last) break;
        }
    }

private:
    bool MayShareAPixel(const Call& call, const QuadBox& box) const;

    std::vector<Call> calls_;
    std::vector<size_t> next_;
    std::vector<QuadBox> boxes_;
};

// Marks, in `hidden`, the quads of which no pixel of a width by height
// screen would show: every pixel they may cover is covered later by an
// opaque upright quad, which replaces what was under it. An upright quad
// on whole pixels loses its top and bottom rows that are covered so.
// `cover` is the caller's scratch buffer.
void LeaveOutHiddenPixels(std::vector<QuadCommand>& quads, int width, int height, std::vector<unsigned char>& cover,
                          std::vector<unsigned char>& hidden);

// The quads of one frame, recorded in order and drawn together in the calls
// of a DrawPlan, each of which on a software renderer costs about as much
// as one quad did. Two lists with the same quads draw the same picture, as
// long as no texture changed.
class DrawList {
public:
    void Clear();
    void Add(const QuadCommand& quad) { quads_.push_back(quad); }
    size_t Size() const { return quads_.size(); }
    // Returns the number of GL draw calls it made.
    size_t Draw();
    bool SameQuadsAs(const DrawList& other) const;
    void Swap(DrawList& other);

private:
    std::vector<QuadCommand> quads_;
    std::vector<QuadCommand> drawn_;
    std::vector<QuadCommand> shown_;
    std::vector<unsigned char> cover_;
    std::vector<unsigned char> hidden_;
    std::vector<QuadVertex> triangles_;
    DrawPlan plan_;
};

// Internal to the renderer: one quad drawn with the current state.
void SetQuadCorners(QuadVertex* corners, float x, float y, float z, float width, float height, Color color, float s0,
                    float t0, float s1, float t1);
void DrawQuadCorners(const QuadVertex* corners);
void DrawTriangles(const QuadVertex* vertices, size_t count);
void DrawTurnedQuad(const QuadTurn& turn, const QuadVertex* corners);
