#pragma once
#include "core/Color.h"

// The part of the window that shows the logical screen.
struct Viewport {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Viewport& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

// The letterbox rule: the largest rectangle of the given aspect that fits the
// window, centred, in double precision with truncating conversions.
Viewport ComputeViewport(int windowWidth, int windowHeight, double aspect);

// Opens the GL window and sets up the logical screen. False if no video mode
// could be set (the failure has been printed and shown).
bool InitRenderer(int logicalWidth, int logicalHeight, int windowWidth, int windowHeight,
                  bool fullscreen);
void ResizeViewport(int windowWidth, int windowHeight);
const Viewport& CurrentViewport();
int LogicalWidth();
int LogicalHeight();

// One quad drawn with whatever texture and blending state is set.
void DrawQuad(float x, float y, float z, float width, float height, Color color,
              float s0, float t0, float s1, float t1);
// An untextured, alpha-blended rectangle.
void FillRect(float x, float y, float width, float height, Color color);

void ClearScreen();
void SwapScreen();
