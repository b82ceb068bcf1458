#pragma once
#include <cstdint>
#include <map>

// Game actions, one bit each in the held mask.
enum Action : int32_t {
    Up = 0x1,
    Left = 0x2,
    Down = 0x4,
    Right = 0x8,
    ButtonA = 0x400,
    ButtonB = 0x800,
};

struct Binding {
    int32_t kind = 0;  // 0 keyboard key, 1 joystick control
    int32_t joystickIndex = 0;
    int32_t code = 0;  // key symbol, button number, or 0x20 plus the hat bit
};

// Turns keys, joystick buttons and the hat into the held mask of actions.
class Input {
public:
    Input();  // the default keyboard bindings
    void BindKey(int32_t action, int32_t keySymbol);
    void BindJoystick(int32_t action, uint8_t joystickIndex, uint8_t code);
    void OpenJoystick();
    // Takes every queued key and joystick event and updates the held mask.
    void Update();

    uint32_t held = 0;
    std::multimap<int32_t, Binding> bindings;
    void* joystick = nullptr;
};

Input& TheInput();
