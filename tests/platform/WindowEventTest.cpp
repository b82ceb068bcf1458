#include "platform/Window.h"
#include "support/GlWindow.h"
#include <SDL.h>
#include <gtest/gtest.h>

namespace {
SDL_Event KeyEvent(Uint8 type, SDLKey key) {
    SDL_Event event{};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    return event;
}

void DrainQueue() {
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0) {}
}

int QueuedInputEvents() {
    SDL_Event events[16];
    return SDL_PeepEvents(events, 16, SDL_PEEKEVENT,
                          SDL_EVENTMASK(SDL_KEYDOWN) | SDL_EVENTMASK(SDL_KEYUP));
}
}

TEST(WindowEvents, KeysGoBackToTheQueueEscapeQuitsAndResizeGivesTheSize) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    DrainQueue();
    SDL_Event press = KeyEvent(SDL_KEYDOWN, SDLK_z);
    SDL_PushEvent(&press);
    int w = 0, h = 0;
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::Handled);
    ASSERT_EQ(QueuedInputEvents(), 1);

    // While a movie is replayed, live input is dropped instead.
    EXPECT_EQ(PollOneWindowEvent(true, w, h), WindowEvent::Handled);
    EXPECT_EQ(QueuedInputEvents(), 0);

    SDL_Event escape = KeyEvent(SDL_KEYDOWN, SDLK_ESCAPE);
    SDL_PushEvent(&escape);
    EXPECT_EQ(PollOneWindowEvent(true, w, h), WindowEvent::Quit);

    // Escape released is passed on like any key release.
    SDL_Event release = KeyEvent(SDL_KEYUP, SDLK_ESCAPE);
    SDL_PushEvent(&release);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::Handled);
    EXPECT_EQ(QueuedInputEvents(), 1);
    DrainQueue();

    SDL_Event resize{};
    resize.type = SDL_VIDEORESIZE;
    resize.resize.w = 1280;
    resize.resize.h = 1024;
    SDL_PushEvent(&resize);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::Resize);
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 1024);

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::Quit);
}
