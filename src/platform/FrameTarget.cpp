#include "platform/FrameTarget.h"
#include "base/Log.h"
#include "platform/DrawList.h"
#include "platform/Renderer.h"
#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>

namespace {
struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSEXTPROC gen = nullptr;
    PFNGLBINDFRAMEBUFFEREXTPROC bind = nullptr;
    PFNGLFRAMEBUFFERTEXTURE2DEXTPROC attach = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC status = nullptr;

    bool Load() {
        gen = reinterpret_cast<PFNGLGENFRAMEBUFFERSEXTPROC>(SDL_GL_GetProcAddress("glGenFramebuffersEXT"));
        bind = reinterpret_cast<PFNGLBINDFRAMEBUFFEREXTPROC>(SDL_GL_GetProcAddress("glBindFramebufferEXT"));
        attach = reinterpret_cast<PFNGLFRAMEBUFFERTEXTURE2DEXTPROC>(SDL_GL_GetProcAddress("glFramebufferTexture2DEXT"));
        status =
            reinterpret_cast<PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC>(SDL_GL_GetProcAddress("glCheckFramebufferStatusEXT"));
        return gen && bind && attach && status;
    }
};

struct Target {
    unsigned context = 0;  // the GL context the target was made in
    bool tried = false;
    bool ready = false;
    bool mustShow = true;
    FramebufferCalls gl;
    GLuint framebuffer = 0;
    GLuint texture = 0;
    int textureWidth = 1;
    int textureHeight = 1;
    DrawList recording;
    DrawList shown;
    unsigned shownTextureChanges = 0;
    bool drawnOnce = false;
};
Target gTarget;
bool gOnlyShown = false;
PictureLayout gLayout = PictureLayout::Bgra;
FrameCounts gLastCounts;

int PowerOfTwoAtLeast(int size) {
    int power = 1;
    while (power < size) power *= 2;
    return power;
}

// The picture's texels in the order the window's pixels have them (blue
// first) take a software renderer about a quarter less work to scale up
// than in the order of the pictures' files; a GL that does not take that
// order (a browser's) keeps the files' order.
GLuint MakeTexture(int width, int height) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    while (glGetError() != GL_NO_ERROR) {}
#if defined(GL_BGRA) && !defined(__EMSCRIPTEN__)
    if (gLayout == PictureLayout::Bgra) {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
        if (glGetError() == GL_NO_ERROR) return texture;
    }
#endif
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    return texture;
}

// Made on the first frame, once the GL context exists; a GL without
// framebuffer objects, or one that refuses this one, draws into the window.
bool MakeTarget(Target& target) {
    if (!target.gl.Load()) {
        PrintStatus("No framebuffer objects: frames are drawn at the window's size");
        return false;
    }
    target.textureWidth = PowerOfTwoAtLeast(LogicalWidth());
    target.textureHeight = PowerOfTwoAtLeast(LogicalHeight());
    target.texture = MakeTexture(target.textureWidth, target.textureHeight);
    target.gl.gen(1, &target.framebuffer);
    target.gl.bind(GL_FRAMEBUFFER_EXT, target.framebuffer);
    target.gl.attach(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, target.texture, 0);
    bool complete = target.gl.status(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT;
    target.gl.bind(GL_FRAMEBUFFER_EXT, 0);
    if (!complete) {
        PrintStatus("The off-screen picture cannot be drawn into: frames are drawn at the window's size");
        glDeleteTextures(1, &target.texture);
        target.texture = 0;
    }
    return complete;
}

// A new GL context has none of the old one's textures or framebuffers: the
// target is made again in it.
void ResetForNewContext() {
    if (gTarget.context == GlContextCount()) return;
    RecordQuadsInto(nullptr);
    gTarget = Target();
    gTarget.context = GlContextCount();
}

bool Ready() {
    ResetForNewContext();
    if (!gTarget.tried) {
        gTarget.tried = true;
        gTarget.ready = MakeTarget(gTarget);
    }
    return gTarget.ready;
}

// Draws the recorded frame into the off-screen picture unless it holds the
// same quads, over the same textures, as the picture already there; true
// when it drew.
bool DrawRecordedFrame() {
    if (gTarget.drawnOnce && gTarget.recording.SameQuadsAs(gTarget.shown) &&
        gTarget.shownTextureChanges == TextureChanges())
        return false;
    gTarget.gl.bind(GL_FRAMEBUFFER_EXT, gTarget.framebuffer);
    glViewport(0, 0, LogicalWidth(), LogicalHeight());
    ClearScreen();
    gLastCounts.drawCalls = gTarget.recording.Draw();
    gTarget.gl.bind(GL_FRAMEBUFFER_EXT, 0);
    gTarget.shown.Swap(gTarget.recording);
    gTarget.shownTextureChanges = TextureChanges();
    gTarget.drawnOnce = true;
    return true;
}

// The texture's rows run from the bottom, the logical screen's from the top.
// Only the bars beside the picture need clearing; the picture covers the rest.
void DrawScaledUp() {
    const Viewport& view = CurrentViewport();
    glViewport(view.x, view.y, view.width, view.height);
    if (!ViewportFillsWindow()) glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gTarget.texture);
    glDisable(GL_BLEND);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glLoadIdentity();
    float s = float(LogicalWidth()) / float(gTarget.textureWidth);
    float t = float(LogicalHeight()) / float(gTarget.textureHeight);
    DrawQuad(0.0f, 0.0f, 0.0f, float(LogicalWidth()), float(LogicalHeight()), Color(0xFFFFFFFFu), 0.0f, t, s, 0.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}
}

void BeginFrame() {
    if (!Ready()) {
        ClearScreen();
        return;
    }
    gTarget.recording.Clear();
    RecordQuadsInto(&gTarget.recording);
}

bool EndFrame(bool mustShow) {
    if (!Ready()) return true;
    RecordQuadsInto(nullptr);
    gLastCounts = {gTarget.recording.Size(), 0};
    if (gOnlyShown && !mustShow) return false;
    bool changed = DrawRecordedFrame();
    if (!changed && !mustShow && !gTarget.mustShow) return false;
    gTarget.mustShow = false;
    DrawScaledUp();
    return true;
}

void ShowNextFrame() { gTarget.mustShow = true; }

void DrawOnlyShownFrames(bool onlyShown) { gOnlyShown = onlyShown; }

bool FrameTargetInUse() { return Ready(); }

void UsePictureLayout(PictureLayout layout) {
    gLayout = layout;
    if (gTarget.texture != 0) glDeleteTextures(1, &gTarget.texture);
    gTarget = Target();
    gTarget.context = GlContextCount();
}

FrameCounts LastFrameCounts() { return gLastCounts; }
