#pragma once
#include "platform/Renderer.h"
#include <cstddef>
#include <vector>

// One alpha-blended quad of a recorded frame (see BlendQuad).
struct QuadCommand {
    unsigned texture;
    QuadTurn turn;
    QuadVertex corners[4];
};

// The quads of one frame, recorded in order and drawn together: runs of
// upright quads with the same texture go to GL in one call, which on a
// software renderer costs about as much as one quad did. Two lists with the
// same quads draw the same picture, as long as no texture changed.
class DrawList {
public:
    void Clear();
    void Add(const QuadCommand& quad) { quads_.push_back(quad); }
    void Draw();
    bool SameQuadsAs(const DrawList& other) const;
    void Swap(DrawList& other);

private:
    void DrawRun(size_t first, size_t end);

    std::vector<QuadCommand> quads_;
    std::vector<QuadVertex> triangles_;
};

// Internal to the renderer: one quad drawn with the current state.
void SetQuadCorners(QuadVertex* corners, float x, float y, float z, float width, float height, Color color, float s0,
                    float t0, float s1, float t1);
void DrawQuadCorners(const QuadVertex* corners);
void DrawTriangles(const QuadVertex* vertices, size_t count);
void DrawTurnedQuad(const QuadTurn& turn, const QuadVertex* corners);
