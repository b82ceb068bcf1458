#include "platform/Input.h"
#include <SDL.h>

namespace {
constexpr int32_t kKeyboard = 0;
constexpr int32_t kJoystick = 1;
constexpr uint8_t kHatCode = 0x20;

// The hat directions in the order they are bound and applied.
constexpr uint8_t kHatOrder[] = {SDL_HAT_UP, SDL_HAT_DOWN, SDL_HAT_LEFT, SDL_HAT_RIGHT};
constexpr int32_t kHatActions[] = {Up, Down, Left, Right};
}

const uint32_t kInputEventMask =
    SDL_KEYDOWNMASK | SDL_KEYUPMASK | SDL_JOYHATMOTIONMASK | SDL_JOYBUTTONDOWNMASK | SDL_JOYBUTTONUPMASK;

Input::Input() {
    const std::pair<int32_t, SDLKey> defaults[] = {
        {Up, SDLK_UP},
        {Up, SDLK_w},
        {Left, SDLK_LEFT},
        {Left, SDLK_a},
        {Right, SDLK_RIGHT},
        {Right, SDLK_d},
        {Down, SDLK_DOWN},
        {ButtonB, SDLK_END},
        {ButtonB, SDLK_x},
        {ButtonA, SDLK_DELETE},
        {ButtonA, SDLK_z},
        // The keys a new player tries first.
        {ButtonA, SDLK_RETURN},
        {ButtonA, SDLK_KP_ENTER},
        {ButtonA, SDLK_SPACE},
        {Down, SDLK_s},
        {ReloadStage, SDLK_F5},
        {RestartStage, SDLK_F6},
    };
    for (const auto& [action, key] : defaults) BindKey(action, key);
}

int32_t Input::KeyAction(int32_t keySymbol) const {
    for (const auto& [action, binding] : bindings)
        if (binding.kind == kKeyboard && binding.code == keySymbol) return action;
    return 0;
}

int32_t Input::JoystickAction(int32_t joystickIndex, int32_t code) const {
    for (const auto& [action, binding] : bindings)
        if (binding.kind == kJoystick && binding.joystickIndex == joystickIndex && binding.code == code) return action;
    return 0;
}

void Input::BindKey(int32_t action, int32_t keySymbol) {
    if (int32_t old = KeyAction(keySymbol)) {
        auto [first, last] = bindings.equal_range(old);
        for (auto it = first; it != last; ++it) {
            if (it->second.kind == kKeyboard && it->second.code == keySymbol) {
                bindings.erase(it);
                break;
            }
        }
    }
    // A multimap inserts after the bindings the action already has.
    bindings.insert({action, Binding{kKeyboard, 0, keySymbol}});
}

void Input::BindJoystick(int32_t action, uint8_t joystickIndex, uint8_t code) {
    bindings.insert({action, Binding{kJoystick, joystickIndex, code}});
}

void Input::BindJoystickControls(uint8_t joystickIndex, int buttons, int hats) {
    for (int button = 0; button < buttons; ++button)
        BindJoystick(button % 2 ? ButtonB : ButtonA, joystickIndex, uint8_t(button));
    if (hats < 1) return;
    for (size_t i = 0; i < sizeof kHatOrder; ++i)
        BindJoystick(kHatActions[i], joystickIndex, uint8_t(kHatCode | kHatOrder[i]));
}

void Input::OpenJoystick() {
    if (SDL_NumJoysticks() < 1) return;
    SDL_Joystick* opened = SDL_JoystickOpen(0);
    if (!opened) return;
    joystick = opened;
    BindJoystickControls(uint8_t(SDL_JoystickIndex(opened)), SDL_JoystickNumButtons(opened),
                         SDL_JoystickNumHats(opened));
}

void Input::SetAction(int32_t action, bool down) {
    if (uint32_t(action) & kCommandActions) {
        if (down) commands |= uint32_t(action);
    } else if (down) {
        held |= uint32_t(action) & ~heldBack_;
    } else {
        held &= ~uint32_t(action);
        heldBack_ &= ~uint32_t(action);
    }
}

void Input::HoldBackButtons() {
    heldBack_ |= held & uint32_t(ButtonA | ButtonB);
    held &= ~heldBack_;
}

void Input::ApplyHat(int32_t joystickIndex, uint8_t hatValue) {
    for (uint8_t direction : kHatOrder) {
        if (int32_t action = JoystickAction(joystickIndex, kHatCode | direction))
            SetAction(action, hatValue & direction);
    }
}

void Input::Update() {
    bool hatSeen = false;
    commands = 0;
    SDL_Event event;
    // SDL 1.2 reports the arrow keys with scancode 0, so only the key symbol counts.
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, kInputEventMask) > 0) {
        if (onEventTaken) onEventTaken(event);
        switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: SetAction(KeyAction(event.key.keysym.sym), event.type == SDL_KEYDOWN); break;
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP:
            SetAction(JoystickAction(event.jbutton.which, event.jbutton.button), event.type == SDL_JOYBUTTONDOWN);
            break;
        case SDL_JOYHATMOTION:
            // Only the first hat event of a step counts; later ones are lost.
            if (!hatSeen) ApplyHat(event.jhat.which, event.jhat.value);
            hatSeen = true;
            break;
        }
    }
}

Input& TheInput() {
    static Input input;
    return input;
}
