#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

union SDL_Event;

// Game actions, one bit each in the held mask.
enum Action : int32_t {
    Up = 0x1,
    Left = 0x2,
    Down = 0x4,
    Right = 0x8,
    ButtonA = 0x400,
    ButtonB = 0x800,
    // Stage-making commands: they act once per key press and never enter
    // the held mask, so no screen takes them for a game button.
    ReloadStage = 0x1000,
    RestartStage = 0x2000,
    // The hero's own actions in a stage that asks for play. Their keys may
    // also carry an action above: Space confirms in the menus and jumps in
    // play, X goes back in the menus and jumps in play.
    Jump = 0x4000,
    Attack = 0x8000,
    // Pauses a stage and resumes it; acts once per press, as the commands do.
    PauseGame = 0x10000,
    // Escape, on a screen that takes it (a play stage pauses on it); elsewhere
    // it ends the program before the input sees it.
    EscapeKey = 0x20000,
    // Show and hide the collision outlines and the console.
    ToggleOutlines = 0x40000,
    ToggleConsole = 0x80000,
};
constexpr uint32_t kCommandActions =
    ReloadStage | RestartStage | PauseGame | EscapeKey | ToggleOutlines | ToggleConsole;
constexpr uint32_t kPlayActions = Jump | Attack;

struct Binding {
    static constexpr int32_t kKeyboard = 0;
    static constexpr int32_t kJoystick = 1;
    static constexpr int32_t kHatCode = 0x20;
    int32_t kind = 0;  // 0 keyboard key, 1 joystick control
    int32_t joystickIndex = 0;
    int32_t code = 0;  // key symbol, button number, or 0x20 plus the hat bit
};

// Turns keys, joystick buttons and the hat into the held mask of actions.
class Input {
public:
    Input();  // the default keyboard bindings
    // The default keyboard bindings again, and the default controls of the
    // joystick bound last.
    void RestoreDefaultBindings();
    // Binds the action to this key (or joystick control) alone: the action
    // loses its other keys (controls), and the key leaves any other action
    // of its table.
    void RebindKey(int32_t action, int32_t keySymbol);
    void RebindJoystick(int32_t action, uint8_t code);
    // Takes every key (control) of that kind away from the action.
    void Unbind(int32_t action, int32_t kind);
    // The action's first binding of that kind, or nullptr.
    const Binding* FirstBinding(int32_t action, int32_t kind) const;
    // Lets go of every action held, so that a key bound elsewhere while
    // held leaves nothing behind.
    void ReleaseAll();
    // A key or control carries at most one action of the engine and one of
    // play: binding it moves it away from the other action of its kind.
    void BindKey(int32_t action, int32_t keySymbol);
    void BindJoystick(int32_t action, uint8_t joystickIndex, uint8_t code);
    // Opens the first joystick, if there is one, and binds its controls.
    void OpenJoystick();
    // The pad the defaults are bound for until a joystick opens.
    static constexpr int kCommonPadButtons = 12;
    static constexpr int kCommonPadHats = 1;
    // Where pads put their start button: it pauses.
    static constexpr int kStartButton = 9;
    // Binds a joystick's buttons (even ones ButtonA and Jump, odd ones
    // ButtonB and Attack, but button 9, where pads put their start button,
    // PauseGame) and, when it has a hat, the four hat directions.
    void BindJoystickControls(uint8_t joystickIndex, int buttons, int hats);
    // The buttons of the joystick whose controls were bound last.
    int PadButtons() const { return padButtons_; }
    // Takes every queued key and joystick event and updates the held mask.
    void Update();
    // A button press belongs to the screen it was made on: the action
    // buttons held now leave the held mask until they are released.
    void HoldBackButtons();

    // The engine action of the first binding that matches, or 0.
    int32_t KeyAction(int32_t keySymbol) const;
    int32_t JoystickAction(int32_t joystickIndex, int32_t code) const;
    // The play action bound to a key or control, or 0.
    int32_t PlayKeyAction(int32_t keySymbol) const;
    int32_t PlayJoystickAction(int32_t joystickIndex, int32_t code) const;

    uint32_t held = 0;
    // The play actions held (Jump, Attack): kept apart, so that the
    // engine's held mask reads as it always did.
    uint32_t playHeld = 0;
    // The commands whose key went down in the last Update.
    uint32_t commands = 0;
    std::multimap<int32_t, Binding> bindings;
    std::multimap<int32_t, Binding> playBindings;
    void* joystick = nullptr;
    // While a screen takes a name: the keys that type (TypedCharacter) go
    // into `typed` instead of acting, so that Z or X type a letter.
    void TakeTyping(bool on);
    // The characters typed in the last Update.
    std::string typed;
    // The first key or joystick control that went down in the last Update
    // (a hat in one of its four directions), if any.
    std::optional<Binding> pressed;
    // Sees every event Update takes, in order (the movie recorder listens).
    std::function<void(const SDL_Event& event)> onEventTaken;

private:
    uint32_t heldBack_ = 0;
    bool typing_ = false;
    // The joystick whose controls were bound last: its index, buttons, hats.
    int32_t padIndex_ = 0;
    int padButtons_ = 0;
    int padHats_ = 0;
    void BindDefaultKeys();
    void SetActions(uint32_t actions, bool down);
    void ApplyHat(int32_t joystickIndex, uint8_t hatValue);
};

Input& TheInput();

// The keys that act whatever the bindings say, so that no menu can count on
// them: Escape quits (or pauses a play stage), F12 takes a screenshot, F2
// and F3 show and hide the outlines and the console, F5 and F6 reload and
// restart a stage.
bool FixedKey(int32_t keySymbol);

// The SDL event types the input takes: key pressed and released, joystick
// hat, joystick button pressed and released.
extern const uint32_t kInputEventMask;
