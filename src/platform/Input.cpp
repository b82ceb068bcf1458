#include "platform/Input.h"
#include "platform/EventQueue.h"
#include "platform/TypedKeys.h"
#include <SDL.h>
#include <algorithm>

namespace {
constexpr int32_t kKeyboard = Binding::kKeyboard;
constexpr int32_t kJoystick = Binding::kJoystick;
constexpr uint8_t kHatCode = Binding::kHatCode;

// The hat directions in the order they are bound and applied.
constexpr uint8_t kHatOrder[] = {SDL_HAT_UP, SDL_HAT_DOWN, SDL_HAT_LEFT, SDL_HAT_RIGHT};
constexpr int32_t kHatActions[] = {Up, Down, Left, Right};

using BindingTable = std::multimap<int32_t, Binding>;

int32_t FindAction(const BindingTable& table, int32_t kind, int32_t joystickIndex, int32_t code) {
    for (const auto& [action, binding] : table)
        if (binding.kind == kind && (kind == kKeyboard || binding.joystickIndex == joystickIndex) &&
            binding.code == code)
            return action;
    return 0;
}

BindingTable& TableOf(Input& input, int32_t action) {
    return uint32_t(action) & kPlayActions ? input.playBindings : input.bindings;
}

#ifdef __EMSCRIPTEN__
// A browser's gamepad in its standard layout has no hat: its pad is buttons
// 12 to 15 (up, down, left, right). And the page is shown a gamepad only
// once one of its buttons was pressed, so the input keeps looking for one.
constexpr int kFirstPadButton = 12;

// The pad's buttons move the hero, so they neither jump nor whip.
void BindBrowserGamepadPad(Input& input, uint8_t joystickIndex, int buttons) {
    if (buttons < kFirstPadButton + 4) return;
    for (int i = 0; i < 4; ++i) input.BindJoystick(kHatActions[i], joystickIndex, uint8_t(kFirstPadButton + i));
    for (auto it = input.playBindings.begin(); it != input.playBindings.end();) {
        const Binding& b = it->second;
        const bool pad = b.kind == kJoystick && b.joystickIndex == joystickIndex && b.code >= kFirstPadButton &&
                         b.code < kFirstPadButton + 4;
        it = pad ? input.playBindings.erase(it) : std::next(it);
    }
}
#endif
}

// Until a joystick opens, the controls of a common pad are bound, so that
// CONFIGURE and the settings file see the joystick's defaults.
Input::Input() {
    BindDefaultKeys();
    BindJoystickControls(0, kCommonPadButtons, kCommonPadHats);
}

void Input::BindDefaultKeys() {
    const std::pair<int32_t, SDLKey> defaults[] = {
        {Up, SDLK_UP},
        {Up, SDLK_w},
        {Left, SDLK_LEFT},
        {Left, SDLK_a},
        {Right, SDLK_RIGHT},
        {Right, SDLK_d},
        {Down, SDLK_DOWN},
        // Each action's first key is the one CONFIGURE shows.
        {ButtonB, SDLK_x},
        {ButtonB, SDLK_END},
        {ButtonA, SDLK_z},
        {ButtonA, SDLK_DELETE},
        // The keys a new player tries first.
        {ButtonA, SDLK_RETURN},
        {ButtonA, SDLK_KP_ENTER},
        {ButtonA, SDLK_SPACE},
        {Down, SDLK_s},
        {ReloadStage, SDLK_F5},
        {RestartStage, SDLK_F6},
        {PauseGame, SDLK_p},
        {EscapeKey, SDLK_ESCAPE},
        {ToggleOutlines, SDLK_F2},
        {ToggleConsole, SDLK_F3},
        {Jump, SDLK_SPACE},
        {Jump, SDLK_x},
        {Jump, SDLK_END},
        {Attack, SDLK_z},
        {Attack, SDLK_RETURN},
        {Attack, SDLK_KP_ENTER},
        {Attack, SDLK_DELETE},
    };
    for (const auto& [action, key] : defaults) BindKey(action, key);
}

bool FixedKey(int32_t keySymbol) {
    return keySymbol == SDLK_ESCAPE || keySymbol == SDLK_F12 || keySymbol == SDLK_F2 || keySymbol == SDLK_F3 ||
           keySymbol == SDLK_F5 || keySymbol == SDLK_F6;
}

void Input::RestoreDefaultBindings() {
    bindings.clear();
    playBindings.clear();
    BindDefaultKeys();
    if (padButtons_ > 0 || padHats_ > 0) BindJoystickControls(uint8_t(padIndex_), padButtons_, padHats_);
}

void Input::Unbind(int32_t action, int32_t kind) {
    BindingTable& table = TableOf(*this, action);
    auto [first, last] = table.equal_range(action);
    for (auto it = first; it != last;) it = it->second.kind == kind ? table.erase(it) : std::next(it);
}

// The control leaves every action of the table, then the action takes it alone.
void Input::RebindKey(int32_t action, int32_t keySymbol) {
    Unbind(action, kKeyboard);
    BindKey(action, keySymbol);
}

void Input::RebindJoystick(int32_t action, uint8_t code) {
    BindingTable& table = TableOf(*this, action);
    for (auto it = table.begin(); it != table.end();) {
        const Binding& b = it->second;
        const bool same = b.kind == kJoystick && b.joystickIndex == padIndex_ && b.code == code;
        it = same || (it->first == action && b.kind == kJoystick) ? table.erase(it) : std::next(it);
    }
    BindJoystick(action, uint8_t(padIndex_), code);
}

const Binding* Input::FirstBinding(int32_t action, int32_t kind) const {
    const BindingTable& table = uint32_t(action) & kPlayActions ? playBindings : bindings;
    auto [first, last] = table.equal_range(action);
    for (auto it = first; it != last; ++it)
        if (it->second.kind == kind) return &it->second;
    return nullptr;
}

void Input::ReleaseAll() {
    held = 0;
    playHeld = 0;
    heldBack_ = 0;
}

int32_t Input::KeyAction(int32_t keySymbol) const { return FindAction(bindings, kKeyboard, 0, keySymbol); }

int32_t Input::JoystickAction(int32_t joystickIndex, int32_t code) const {
    return FindAction(bindings, kJoystick, joystickIndex, code);
}

int32_t Input::PlayKeyAction(int32_t keySymbol) const { return FindAction(playBindings, kKeyboard, 0, keySymbol); }

int32_t Input::PlayJoystickAction(int32_t joystickIndex, int32_t code) const {
    return FindAction(playBindings, kJoystick, joystickIndex, code);
}

void Input::BindKey(int32_t action, int32_t keySymbol) {
    BindingTable& table = TableOf(*this, action);
    if (int32_t old = FindAction(table, kKeyboard, 0, keySymbol)) {
        auto [first, last] = table.equal_range(old);
        for (auto it = first; it != last; ++it) {
            if (it->second.kind == kKeyboard && it->second.code == keySymbol) {
                table.erase(it);
                break;
            }
        }
    }
    // A multimap inserts after the bindings the action already has.
    table.insert({action, Binding{kKeyboard, 0, keySymbol}});
}

void Input::BindJoystick(int32_t action, uint8_t joystickIndex, uint8_t code) {
    TableOf(*this, action).insert({action, Binding{kJoystick, joystickIndex, code}});
}

// The controls of the pad bound before go.
void Input::BindJoystickControls(uint8_t joystickIndex, int buttons, int hats) {
    for (BindingTable* table : {&bindings, &playBindings})
        for (auto it = table->begin(); it != table->end();)
            it = it->second.kind == kJoystick ? table->erase(it) : std::next(it);
    padIndex_ = joystickIndex;
    padButtons_ = buttons;
    padHats_ = hats;
    for (int button = 0; button < buttons; ++button) {
        if (button == kStartButton) {
            BindJoystick(PauseGame, joystickIndex, uint8_t(button));
            continue;
        }
        BindJoystick(button % 2 ? ButtonB : ButtonA, joystickIndex, uint8_t(button));
        BindJoystick(button % 2 ? Attack : Jump, joystickIndex, uint8_t(button));
    }
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
#ifdef __EMSCRIPTEN__
    BindBrowserGamepadPad(*this, uint8_t(SDL_JoystickIndex(opened)), SDL_JoystickNumButtons(opened));
#endif
}

void Input::SetActions(uint32_t actions, bool down) {
    if (down) commands |= actions & kCommandActions;
    actions &= ~kCommandActions;
    if (down) {
        held |= actions & ~kPlayActions & ~heldBack_;
        playHeld |= actions & kPlayActions & ~heldBack_;
    } else {
        held &= ~actions;
        playHeld &= ~actions;
        heldBack_ &= ~actions;
    }
}

void Input::HoldBackButtons() {
    heldBack_ |= (held & uint32_t(ButtonA | ButtonB)) | playHeld;
    held &= ~heldBack_;
    playHeld = 0;
}

void Input::ApplyHat(int32_t joystickIndex, uint8_t hatValue) {
    for (uint8_t direction : kHatOrder) {
        if (int32_t action = JoystickAction(joystickIndex, kHatCode | direction))
            SetActions(uint32_t(action), hatValue & direction);
    }
}

void Input::Update() {
#ifdef __EMSCRIPTEN__
    if (!joystick) OpenJoystick();
#endif
    bool hatSeen = false;
    commands = 0;
    typed.clear();
    pressed.reset();
    SDL_Event event;
    // SDL 1.2 reports the arrow keys with scancode 0, so only the key symbol counts.
    while (TakeInputEvent(event)) {
        if (onEventTaken) onEventTaken(event);
        switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const int32_t key = event.key.keysym.sym;
            // A typing key acts on being let go all the same, so that an
            // action held when typing began ends.
            const bool down = event.type == SDL_KEYDOWN;
            const char character = typing_ && down ? TypedCharacter(key, event.key.keysym.unicode) : 0;
            if (character) {
                typed += character;
                break;
            }
            if (down && !pressed) pressed = Binding{kKeyboard, 0, key};
            SetActions(uint32_t(KeyAction(key) | PlayKeyAction(key)), down);
            break;
        }
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP: {
            const int32_t index = event.jbutton.which, button = event.jbutton.button;
            if (event.type == SDL_JOYBUTTONDOWN && !pressed) pressed = Binding{kJoystick, index, button};
            SetActions(uint32_t(JoystickAction(index, button) | PlayJoystickAction(index, button)),
                       event.type == SDL_JOYBUTTONDOWN);
            break;
        }
        case SDL_JOYHATMOTION:
            // Only the first hat event of a step counts; later ones are lost.
            if (!hatSeen) ApplyHat(event.jhat.which, event.jhat.value);
            if (!pressed && std::count(std::begin(kHatOrder), std::end(kHatOrder), event.jhat.value))
                pressed = Binding{kJoystick, event.jhat.which, kHatCode | event.jhat.value};
            hatSeen = true;
            break;
        }
    }
}

void Input::TakeTyping(bool on) {
    typing_ = on;
    AskForTypedCharacters(on);
}

Input& TheInput() {
    static Input input;
    return input;
}
