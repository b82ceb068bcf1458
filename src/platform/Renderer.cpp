#include "platform/Renderer.h"
#include "base/Log.h"
#include "base/SharedConstants.h"
#include "platform/DrawList.h"
#include "platform/ErrorBox.h"
#include <GL/gl.h>
#include <SDL.h>
#include <cstddef>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace {
QuadVertex gQuad[4];
DrawList* gRecording = nullptr;
unsigned gTextureChanges = 0;
Viewport gViewport;
bool gViewportFillsWindow = false;
int gLogicalWidth = kScreenWidth;
int gLogicalHeight = kScreenHeight;
unsigned gGlContexts = 0;

void ApplyViewport(int windowWidth, int windowHeight, double aspect) {
    gViewport = ComputeViewport(windowWidth, windowHeight, aspect);
    gViewportFillsWindow = gViewport == Viewport{0, 0, windowWidth, windowHeight};
    glViewport(gViewport.x, gViewport.y, gViewport.width, gViewport.height);
}

void SetVertex(QuadVertex& v, float x, float y, float z, Color color, float s, float t) {
    v.x = x;
    v.y = y;
    v.z = z;
    v.w = 1.0f;
    v.color[0] = color.R();
    v.color[1] = color.G();
    v.color[2] = color.B();
    v.color[3] = color.A();
    v.s = s;
    v.t = t;
}

void PointArraysAt(const QuadVertex* vertices) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(QuadVertex), &vertices[0].x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(QuadVertex), &vertices[0].s);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(QuadVertex), vertices[0].color);
}
}

void SetQuadCorners(QuadVertex* corners, float x, float y, float z, float width, float height, Color color, float s0,
                    float t0, float s1, float t1) {
    SetVertex(corners[0], x, y, z, color, s0, t0);
    SetVertex(corners[1], x + width, y, z, color, s1, t0);
    SetVertex(corners[2], x, y + height, z, color, s0, t1);
    SetVertex(corners[3], x + width, y + height, z, color, s1, t1);
}

Viewport ComputeViewport(int windowWidth, int windowHeight, double aspect) {
    double w = windowWidth;
    double h = windowHeight;
    if (windowHeight != 0 && w / h == aspect) return {0, 0, windowWidth, windowHeight};
    double width = w;
    double height = w / aspect;
    if (height > h) {
        width = aspect * h;
        height = h;
    }
    int iw = int(width);
    int ih = int(height);
    return {(windowWidth - iw) / 2, (windowHeight - ih) / 2, iw, ih};
}

namespace {
bool SetVideoMode(int windowWidth, int windowHeight, bool fullscreen) {
    Uint32 flags = SDL_HWSURFACE | SDL_OPENGL | SDL_ASYNCBLIT | SDL_RESIZABLE;
    if (fullscreen) flags |= SDL_FULLSCREEN;
    return SDL_SetVideoMode(windowWidth, windowHeight, 32, flags) != nullptr;
}
}

bool InitRenderer(int logicalWidth, int logicalHeight, int windowWidth, int windowHeight, bool fullscreen) {
    gLogicalWidth = logicalWidth;
    gLogicalHeight = logicalHeight;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    if (!SetVideoMode(windowWidth, windowHeight, fullscreen)) {
        PrintStatus("Failed to set display");
        PrintStatus("%s", SDL_GetError());
        ShowError("%s", SDL_GetError());
        return false;
    }
    PrintStatus("Renderer initialized");
    ++gGlContexts;
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glClearColor(0, 0, 0, 0);
    ApplyViewport(windowWidth, windowHeight, double(logicalWidth) / double(logicalHeight));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, logicalWidth, logicalHeight, 0, 0, 1);
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_TEXTURE_2D);
    glLoadIdentity();
    return true;
}

bool ChangeWindowMode(int windowWidth, int windowHeight, bool fullscreen) {
    if (!SetVideoMode(windowWidth, windowHeight, fullscreen)) {
        TellPlayer("The window cannot be %dx%d%s: %s", windowWidth, windowHeight, fullscreen ? " full screen" : "",
                   SDL_GetError());
        return false;
    }
    ResizeViewport(windowWidth, windowHeight);
    return true;
}

void ResizeViewport(int windowWidth, int windowHeight) { ApplyViewport(windowWidth, windowHeight, kScreenAspect); }

const Viewport& CurrentViewport() { return gViewport; }
bool ViewportFillsWindow() { return gViewportFillsWindow; }
int LogicalWidth() { return gLogicalWidth; }
int LogicalHeight() { return gLogicalHeight; }
unsigned GlContextCount() { return gGlContexts; }

void DrawQuad(float x, float y, float z, float width, float height, Color color, float s0, float t0, float s1,
              float t1) {
    SetQuadCorners(gQuad, x, y, z, width, height, color, s0, t0, s1, t1);
    DrawQuadCorners(gQuad);
}

void DrawQuadCorners(const QuadVertex* corners) {
    PointArraysAt(corners);
    glMatrixMode(GL_MODELVIEW);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}

void DrawTriangles(const QuadVertex* vertices, size_t count) {
    PointArraysAt(vertices);
    glMatrixMode(GL_MODELVIEW);
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(count));
}

void FillRect(float x, float y, float width, float height, Color color) {
    BlendQuad(0, QuadTurn(), x, y, 0.0f, width, height, color, 0.0f, 0.0f, 1.0f, 1.0f);
}

void UseBlendState(unsigned texture, bool opaque) {
    if (texture != 0) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    if (opaque) {
        glDisable(GL_BLEND);
        return;
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void DrawTurnedQuad(const QuadTurn& turn, const QuadVertex* corners) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    if (turn.degrees != 0.0f) {
        glTranslatef(turn.pivotX, turn.pivotY, 0.0f);
        glRotatef(turn.degrees, 0.0f, 0.0f, 1.0f);
        glTranslatef(-turn.pivotX, -turn.pivotY, 0.0f);
    }
    DrawQuadCorners(corners);
    glPopMatrix();
}

void BlendQuad(unsigned texture, const QuadTurn& turn, float x, float y, float z, float width, float height,
               Color color, float s0, float t0, float s1, float t1, bool opaque) {
    QuadCommand quad{texture, opaque, turn, {}};
    SetQuadCorners(quad.corners, x, y, z, width, height, color, s0, t0, s1, t1);
    if (gRecording) {
        // A quad wholly off the logical screen would cover no pixel of the
        // frame: it is not recorded, so it costs neither a draw nor a
        // comparison (things, their outlines and the HUD's pieces alike).
        if (ReachesLogicalScreen(quad)) gRecording->Add(quad);
        return;
    }
    UseBlendState(texture, opaque);
    if (texture == 0) glLoadIdentity();
    DrawTurnedQuad(quad.turn, quad.corners);
}

void RecordQuadsInto(DrawList* list) { gRecording = list; }

void NoteTextureChange() { ++gTextureChanges; }
unsigned TextureChanges() { return gTextureChanges; }

void ClearScreen() { glClear(GL_COLOR_BUFFER_BIT); }

#ifdef __EMSCRIPTEN__
// The page shows a frame, plays sound and delivers input only while the game
// waits, and a fast run never waits otherwise. A wait costs at least the
// browser timer's 4 ms, so a run that steps faster than the display shows
// frames waits once a display frame, not at every step.
void SwapScreen() {
    constexpr double kDisplayFrameMs = 16.0;
    static double lastWait = 0.0;
    SDL_GL_SwapBuffers();
    if (emscripten_get_now() - lastWait < kDisplayFrameMs) return;
    emscripten_sleep(0);
    lastWait = emscripten_get_now();
}
#else
void SwapScreen() { SDL_GL_SwapBuffers(); }
#endif
