#include "platform/Input.h"
#include "support/GlWindow.h"
#include <SDL.h>
#include <gtest/gtest.h>
#include <vector>

namespace {
void Push(SDL_Event event) { ASSERT_EQ(SDL_PeepEvents(&event, 1, SDL_ADDEVENT, 0), 1); }

void PushKey(SDLKey key, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;  // the scancode stays 0, as SDL 1.2 gives arrows
    Push(event);
}

void PushButton(uint8_t joystick, uint8_t button, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
    event.jbutton.which = joystick;
    event.jbutton.button = button;
    event.jbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
    Push(event);
}

void PushHat(uint8_t value) {
    SDL_Event event{};
    event.type = SDL_JOYHATMOTION;
    event.jhat.value = value;
    Push(event);
}

// Leftovers of the window's start-up must not reach the next test's input.
void EmptyQueue() {
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, kInputEventMask) > 0) {
    }
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
    for (SDLKey key : {SDLK_UP, SDLK_w, SDLK_z, SDLK_F1}) PushKey(key, true);  // F1 is unbound
    input.Update();
    EXPECT_EQ(input.held, uint32_t(Up | ButtonA));
    // Releasing w clears Up although the arrow is still held.
    PushKey(SDLK_w, false);
    input.Update();
    EXPECT_EQ(input.held, uint32_t(ButtonA));
    PushKey(SDLK_z, false);
    const SDLKey others[] = {SDLK_x, SDLK_LEFT, SDLK_a, SDLK_d, SDLK_RIGHT, SDLK_DOWN, SDLK_END, SDLK_DELETE};
    for (SDLKey key : others) PushKey(key, true);
    input.Update();
    EXPECT_EQ(input.held, uint32_t(ButtonB | Left | Right | Down | ButtonA));
    SDL_Event event;
    EXPECT_EQ(SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, kInputEventMask), 0);
    for (SDLKey key : others) PushKey(key, false);
    input.Update();
    EXPECT_EQ(input.held, 0u);

    // Joystick buttons by parity, and one hat event a step.
    input.BindJoystickControls(0, 12, 1);
    PushButton(0, 0, true);
    input.Update();
    EXPECT_EQ(input.held, uint32_t(ButtonA));
    PushButton(0, 1, true);
    PushButton(0, 0, false);
    input.Update();
    EXPECT_EQ(input.held, uint32_t(ButtonB));
    PushButton(0, 1, false);
    PushButton(0, 2, true);
    PushButton(1, 3, true);   // another joystick's buttons are not bound
    PushButton(0, 12, true);  // beyond the joystick's buttons
    input.Update();
    EXPECT_EQ(input.held, uint32_t(ButtonA));
    PushButton(0, 2, false);

    // Up, then centred in the same step: only the first counts.
    std::vector<Uint8> taken;
    input.onEventTaken = [&](const SDL_Event& hat) {
        if (hat.type == SDL_JOYHATMOTION) taken.push_back(hat.jhat.value);
    };
    PushHat(SDL_HAT_UP);
    PushHat(SDL_HAT_CENTERED);
    input.Update();
    EXPECT_EQ(input.held, uint32_t(Up));
    EXPECT_EQ(taken, (std::vector<Uint8>{SDL_HAT_UP, SDL_HAT_CENTERED}));
    input.Update();
    EXPECT_EQ(input.held, uint32_t(Up));
    PushHat(SDL_HAT_RIGHTDOWN);
    input.Update();
    EXPECT_EQ(input.held, uint32_t(Right | Down));
    PushHat(SDL_HAT_CENTERED);
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
