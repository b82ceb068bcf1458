#pragma once
#include "campaign/Settings.h"
#include "platform/Input.h"
#include <string>
#include <vector>

// An action a player can rebind: its name on the CONFIGURE page and in the
// settings file ("key.jump", "pad.jump").
struct BoundAction {
    const char* label;
    const char* keyName;
    const char* padName;
    int32_t action;
};
// In the order the page lists them and the values keep them.
const std::vector<BoundAction>& BoundActions();

// Adds the settings keys of the bindings: "key.NAME" takes a key name as a
// movie spells it, "pad.NAME" a button number or "hat up" (down, left,
// right); both take "default" and "none".
void AddBindingKeys(std::vector<SettingKey>& keys);

// Binds the row's action to the control alone and writes it into the
// values, unless that would leave confirm, back, up or down without a
// control of its kind (which they had) that no fixed key is: then nothing
// changes and the answer is false. A row whose only control moved to this
// row keeps none.
bool Rebind(int32_t row, const Binding& control, Input& input, SettingValues& values);
// The default bindings, in the input and in the values.
void ResetBindings(Input& input, SettingValues& values);
// Applies the values over the bindings the input holds (the defaults). When
// the values of a kind (keys, joystick controls) would leave confirm, back,
// up or down without a control that no fixed key is, none of that kind is
// applied: they go back to the default, with one problem naming the action.
void ApplyBindingSettings(SettingValues& values, Input& input, std::vector<std::string>& problems);

// How the page shows a control: the key's name in capitals ("SPACE"),
// "BUTTON 3", "HAT UP"; "NONE" for no control.
std::string ControlLabel(const Binding* control);
// Every control of that kind the action has, as the page shows them: the
// keys' names one after another ("Z DELETE RETURN"), the hat's directions,
// and its buttons, "EVEN BUTTONS" or "ODD BUTTONS" when it holds every one
// of them the pad has (but its start button); "NONE" for none.
std::string ControlsLabel(const Input& input, int32_t action, int32_t kind);
