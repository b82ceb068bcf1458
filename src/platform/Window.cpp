#include "platform/Window.h"
#include "platform/EventQueue.h"
#include "platform/PngWrite.h"
#include "platform/Renderer.h"
#include <GL/gl.h>
#include <SDL.h>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {
int gDesktopWidth = 0;
int gDesktopHeight = 0;
}

// The SDL 1.2 layer would scale a GL window's picture to the window by
// itself, on top of the letterbox viewport the renderer sets, and crop and
// shift it after a resize. The renderer's own rule is the only one wanted,
// so a value from the environment is overridden too. It must be set before
// SDL starts. The desktop's size is taken before a window opens: once one
// is open, SDL gives the window's size instead.
bool StartSdl() {
    setenv("SDL12COMPAT_OPENGL_SCALING", "0", 1);
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) != 0) return false;
    SDL_JoystickEventState(SDL_ENABLE);
    if (const SDL_VideoInfo* info = SDL_GetVideoInfo()) {
        gDesktopWidth = info->current_w;
        gDesktopHeight = info->current_h;
    }
    return true;
}

void StopSdl() { SDL_Quit(); }

void DesktopSize(int& width, int& height) {
    if (gDesktopWidth <= 0 || gDesktopHeight <= 0) return;
    width = gDesktopWidth;
    height = gDesktopHeight;
}

void SetWindowCaption(const char* caption) { SDL_WM_SetCaption(caption, caption); }

uint32_t Ticks() { return SDL_GetTicks(); }

void SleepMs(uint32_t ms) {
    if (ms > 0) SDL_Delay(ms);
}

#ifdef __EMSCRIPTEN__
bool SleepsWakeLate() { return true; }
#else
bool SleepsWakeLate() { return false; }
#endif

namespace {
bool gEscapeEndsProgram = true;

bool IsInputEvent(Uint32 type) {
    return type == SDL_KEYDOWN || type == SDL_KEYUP || type == SDL_JOYHATMOTION || type == SDL_JOYBUTTONDOWN ||
           type == SDL_JOYBUTTONUP;
}
}

WindowEvent PollOneWindowEvent(bool ignoreLiveInput, int& width, int& height) {
    SDL_PumpEvents();
    SDL_Event event;
    if (!SDL_PollEvent(&event)) return WindowEvent::None;
    const bool escape = event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE;
    if (escape && (gEscapeEndsProgram || ignoreLiveInput)) return WindowEvent::Quit;
    if (event.type == SDL_QUIT) return WindowEvent::Quit;
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_F12) return WindowEvent::Screenshot;
    if (event.type == SDL_KEYUP && event.key.keysym.sym == SDLK_F12) return WindowEvent::Handled;
    if (event.type == SDL_VIDEORESIZE) {
        width = event.resize.w;
        height = event.resize.h;
        return WindowEvent::Resize;
    }
    if (event.type == SDL_VIDEOEXPOSE) return WindowEvent::Expose;
    if (IsInputEvent(event.type) && !ignoreLiveInput) PutInputEvent(event);
    return WindowEvent::Handled;
}

void SetEscapeEndsProgram(bool ends) { gEscapeEndsProgram = ends; }

bool WriteViewportPng(const std::string& path, std::string& error) {
    const Viewport& view = CurrentViewport();
    if (view.width <= 0 || view.height <= 0) {
        error = "no picture to write";
        return false;
    }
    std::vector<unsigned char> rgba(size_t(view.width) * size_t(view.height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(view.x, view.y, view.width, view.height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    // GL rows run from the bottom; PNG rows from the top.
    std::vector<unsigned char> flipped(rgba.size());
    size_t stride = size_t(view.width) * 4;
    for (int row = 0; row < view.height; ++row)
        std::copy_n(&rgba[size_t(view.height - 1 - row) * stride], stride, &flipped[size_t(row) * stride]);
    for (size_t i = 3; i < flipped.size(); i += 4) flipped[i] = 255;
    return WritePngRgba(path, view.width, view.height, flipped, error);
}
