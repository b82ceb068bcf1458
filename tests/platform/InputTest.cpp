#include "platform/Input.h"
#include "platform/MovieEvents.h"
#include "support/GlWindow.h"
#include <SDL.h>
#include <gtest/gtest.h>
#include <vector>

namespace {
// Leftovers of the window's start-up must not reach the next test's input.
void EmptyQueue() {
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, kInputEventMask) > 0) {}
}

// The events of one step, pushed as the keyboard and joystick 0 push them.
std::vector<MovieEvent> Events(MovieEventKind kind, std::vector<int32_t> values) {
    std::vector<MovieEvent> events;
    for (int32_t value : values) events.push_back({1, kind, value});
    return events;
}
}

TEST(Input, KeysButtonsAndTheHatSetAndClearOneBitPerAction) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    EmptyQueue();
    Input input;
    input.BindJoystickControls(0, 12, 1);
    using Kind = MovieEventKind;
    const std::vector<int32_t> others = {SDLK_x,     SDLK_LEFT, SDLK_a,   SDLK_d,
                                         SDLK_RIGHT, SDLK_DOWN, SDLK_END, SDLK_DELETE};
    // Each step's events and the actions held after it.
    const std::pair<std::vector<MovieEvent>, uint32_t> steps[] = {
        {Events(Kind::KeyDown, {SDLK_UP, SDLK_w, SDLK_z, SDLK_F1}), Up | ButtonA},  // F1 is unbound
        {Events(Kind::KeyUp, {SDLK_w}), ButtonA},  // releasing w clears Up although the arrow is held
        {Events(Kind::KeyUp, {SDLK_z}), 0},
        {Events(Kind::KeyDown, others), ButtonB | Left | Right | Down | ButtonA},
        {Events(Kind::KeyUp, others), 0},
        // Joystick buttons by parity; button 12 is beyond the joystick's.
        {Events(Kind::ButtonDown, {0}), ButtonA},
        {{{1, Kind::ButtonDown, 1}, {1, Kind::ButtonUp, 0}}, ButtonB},
        {{{1, Kind::ButtonUp, 1}, {1, Kind::ButtonDown, 2}, {1, Kind::ButtonDown, 12}}, ButtonA},
        {Events(Kind::ButtonUp, {2}), 0},
        {Events(Kind::Hat, {SDL_HAT_RIGHTDOWN}), Right | Down},
        {Events(Kind::Hat, {SDL_HAT_CENTERED}), 0},
    };
    for (const auto& [events, held] : steps) {
        for (const MovieEvent& event : events) ASSERT_TRUE(PushMovieEvent(event));
        input.Update();
        EXPECT_EQ(input.held, held) << MovieLine(events[0], SdlKeyNames());
    }
    // The pause key and the pad's start button pause, once a press, and
    // neither confirms nor whips.
    for (const MovieEvent& event : {MovieEvent{1, Kind::KeyDown, SDLK_p}, MovieEvent{1, Kind::ButtonDown, 9}}) {
        ASSERT_TRUE(PushMovieEvent(event));
        input.Update();
        EXPECT_EQ(input.commands, uint32_t(PauseGame));
        EXPECT_EQ(input.held | input.playHeld, 0u);
    }
    input.Update();
    EXPECT_EQ(input.commands, 0u);
    SDL_Event event;
    EXPECT_EQ(SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, kInputEventMask), 0);
    SDL_Event otherJoystick{};  // another joystick's buttons are not bound
    otherJoystick.type = SDL_JOYBUTTONDOWN;
    otherJoystick.jbutton.which = 1;
    otherJoystick.jbutton.button = 3;
    SDL_PushEvent(&otherJoystick);
    input.Update();
    EXPECT_EQ(input.held, 0u);
    // The defaults again keep the buttons of a pad without a hat.
    input.BindJoystickControls(0, 12, 0);
    input.RestoreDefaultBindings();
    ASSERT_TRUE(PushMovieEvent({1, Kind::ButtonDown, 0}));
    input.Update();
    EXPECT_EQ(input.held, uint32_t(ButtonA));
}
