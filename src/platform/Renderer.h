#pragma once
#include "base/Color.h"

class DrawList;

// One vertex of a quad as it goes to GL: only x, y, z are drawn; w is always 1.
struct QuadVertex {
    float x, y, z, w;
    unsigned char color[4];
    float s, t;
};
static_assert(sizeof(QuadVertex) == 28, "the quad vertex is 28 bytes");

// How a quad is turned: `degrees` about (pivotX, pivotY); 0 leaves it upright.
struct QuadTurn {
    float pivotX = 0.0f, pivotY = 0.0f, degrees = 0.0f;
};

// The part of the window that shows the logical screen.
struct Viewport {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Viewport& o) const { return x == o.x && y == o.y && width == o.width && height == o.height; }
};

// The letterbox rule: the largest rectangle of the given aspect that fits the
// window, centred, in double precision with truncating conversions.
Viewport ComputeViewport(int windowWidth, int windowHeight, double aspect);

// Opens the GL window and sets up the logical screen. False if no video mode
// could be set (the failure has been printed and shown).
bool InitRenderer(int logicalWidth, int logicalHeight, int windowWidth, int windowHeight, bool fullscreen);
// Gives the open window another size or takes it to or from full screen,
// keeping the GL context and what was uploaded; false, with a status line,
// when that mode cannot be set.
bool ChangeWindowMode(int windowWidth, int windowHeight, bool fullscreen);
void ResizeViewport(int windowWidth, int windowHeight);
const Viewport& CurrentViewport();
// False when the window has bars beside or above the logical screen.
bool ViewportFillsWindow();
int LogicalWidth();
int LogicalHeight();
// How many GL contexts InitRenderer has made; what was made in an earlier
// one (textures, framebuffers) is gone.
unsigned GlContextCount();

// One quad drawn with whatever texture and blending state is set.
void DrawQuad(float x, float y, float z, float width, float height, Color color, float s0, float t0, float s1,
              float t1);
// An untextured, alpha-blended rectangle.
void FillRect(float x, float y, float width, float height, Color color);

// An alpha-blended quad with the texture `texture` (0: untextured), turned
// by `turn`. Drawn at once, or added to the list being recorded. An opaque
// quad, whose every texel shown and colour are fully opaque, is drawn
// without blending: the same pixels, and less work for a software renderer.
void BlendQuad(unsigned texture, const QuadTurn& turn, float x, float y, float z, float width, float height,
               Color color, float s0, float t0, float s1, float t1, bool opaque = false);
// From now on BlendQuad adds to `list` instead of drawing; nullptr draws
// again. A quad that cannot reach the logical screen is left out of the list.
void RecordQuadsInto(DrawList* list);
// Sets the GL state BlendQuad draws with.
void UseBlendState(unsigned texture, bool opaque);

// Counts texture uploads and deletions: the same quads give the same
// picture only while this count stays the same.
void NoteTextureChange();
unsigned TextureChanges();

void ClearScreen();
void SwapScreen();
