#include "platform/Window.h"
#include "support/GlWindow.h"
#include <SDL.h>
#include <gtest/gtest.h>

namespace {
void Push(Uint8 type, SDLKey key) {
    SDL_Event event{};
    event.type = event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

int QueuedKeys() {
    SDL_Event events[16];
    return SDL_PeepEvents(events, 16, SDL_PEEKEVENT, SDL_EVENTMASK(SDL_KEYDOWN) | SDL_EVENTMASK(SDL_KEYUP));
}
using WindowEvents = GlTest;
}

TEST_F(WindowEvents, KeysGoBackToTheQueueEscapeQuitsAndResizeGivesTheSize) {
    int w = 0, h = 0;
    while (PollOneWindowEvent(true, w, h) != WindowEvent::None) {}
    Push(SDL_KEYDOWN, SDLK_z);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::Handled);
    ASSERT_EQ(QueuedKeys(), 1);
    // While a movie is replayed, live input is dropped instead.
    EXPECT_EQ(PollOneWindowEvent(true, w, h), WindowEvent::Handled);
    EXPECT_EQ(QueuedKeys(), 0);
    Push(SDL_KEYDOWN, SDLK_ESCAPE);
    EXPECT_EQ(PollOneWindowEvent(true, w, h), WindowEvent::Quit);
    // Escape released is passed on like any key release.
    Push(SDL_KEYUP, SDLK_ESCAPE);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::Handled);
    EXPECT_EQ(QueuedKeys(), 1);
    while (PollOneWindowEvent(true, w, h) != WindowEvent::None) {}

    SDL_Event resize{};
    resize.type = SDL_VIDEORESIZE;
    resize.resize.w = 1280;
    resize.resize.h = 1024;
    SDL_PushEvent(&resize);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::Resize);
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(1280, 1024));
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::Quit);
}
