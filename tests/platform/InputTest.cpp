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
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, kInputEventMask) > 0) {
    }
}

// The events of one step, pushed as the keyboard and joystick 0 push them.
std::vector<MovieEvent> Events(MovieEventKind kind, std::vector<int32_t> values) {
    std::vector<MovieEvent> events;
    for (int32_t value : values) events.push_back({1, kind, value});
    return events;
}
}

TEST(Input, AKeyBoundAgainMovesBetweenActions) {
    Input input;
    input.BindKey(ButtonB, SDLK_w);
    EXPECT_EQ(input.KeyAction(SDLK_w), ButtonB);
    EXPECT_EQ(input.KeyAction(SDLK_UP), Up);
    EXPECT_EQ(input.bindings.count(Up), 1u);
    EXPECT_EQ(input.KeyAction(SDLK_F1), 0);
}

TEST(Input, KeysButtonsAndTheHatSetAndClearOneBitPerAction) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    EmptyQueue();
    Input input;
    input.BindJoystickControls(0, 12, 1);
    using Kind = MovieEventKind;
    const std::vector<int32_t> others = {SDLK_x, SDLK_LEFT, SDLK_a, SDLK_d, SDLK_RIGHT, SDLK_DOWN, SDLK_END, SDLK_DELETE};
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
    };
    for (const auto& [events, held] : steps) {
        for (const MovieEvent& event : events) ASSERT_TRUE(PushMovieEvent(event));
        input.Update();
        EXPECT_EQ(input.held, held) << MovieLine(events[0], SdlKeyNames());
    }
    SDL_Event event;
    EXPECT_EQ(SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, kInputEventMask), 0);
    SDL_Event otherJoystick{};  // another joystick's buttons are not bound
    otherJoystick.type = SDL_JOYBUTTONDOWN;
    otherJoystick.jbutton.which = 1;
    otherJoystick.jbutton.button = 3;
    SDL_PushEvent(&otherJoystick);
    input.Update();
    EXPECT_EQ(input.held, 0u);

    // Up, then centred in the same step: only the first counts.
    std::vector<Uint8> taken;
    input.onEventTaken = [&](const SDL_Event& hat) {
        if (hat.type == SDL_JOYHATMOTION) taken.push_back(hat.jhat.value);
    };
    PushMovieEvent({1, Kind::Hat, SDL_HAT_UP});
    PushMovieEvent({1, Kind::Hat, SDL_HAT_CENTERED});
    input.Update();
    EXPECT_EQ(input.held, uint32_t(Up));
    EXPECT_EQ(taken, (std::vector<Uint8>{SDL_HAT_UP, SDL_HAT_CENTERED}));
    input.Update();
    EXPECT_EQ(input.held, uint32_t(Up));
    PushMovieEvent({1, Kind::Hat, SDL_HAT_RIGHTDOWN});
    input.Update();
    EXPECT_EQ(input.held, uint32_t(Right | Down));
    PushMovieEvent({1, Kind::Hat, SDL_HAT_CENTERED});
    input.Update();
    EXPECT_EQ(input.held, 0u);
}

TEST(Input, JoystickControlsAreBoundInOrderAndMissingJoystickBindsNothing) {
    Input input;
    input.BindJoystickControls(2, 3, 1);
    std::vector<int32_t> actions;
    for (int32_t code : {0, 1, 2, 3, 0x21, 0x24, 0x28, 0x22}) actions.push_back(input.JoystickAction(2, code));
    EXPECT_EQ(actions, (std::vector<int32_t>{ButtonA, ButtonB, ButtonA, 0, Up, Down, Left, Right}));
    EXPECT_EQ(input.JoystickAction(0, 1), 0);

    Input noHat;
    size_t keys = noHat.bindings.size();
    noHat.BindJoystickControls(0, 2, 0);
    EXPECT_EQ(noHat.bindings.size(), keys + 2);

    GlWindow window;
    ASSERT_TRUE(window.Open());
    Input plain;
    plain.OpenJoystick();
    if (SDL_NumJoysticks() == 0) {
        EXPECT_EQ(plain.joystick, nullptr);
        EXPECT_EQ(plain.bindings.size(), keys);
    }
}
