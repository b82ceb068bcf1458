#include "campaign/Bindings.h"
#include "base/Movie.h"
#include "platform/MovieEvents.h"
#include <algorithm>
#include <cctype>

namespace {
constexpr int32_t kMaxButton = 31;
const char* const kDefaultName = "default";
const char* const kNoneName = "none";
const std::pair<int32_t, const char*> kHatDirections[] = {{1, "up"}, {4, "down"}, {8, "left"}, {2, "right"}};

using BindingValues = std::array<int32_t, SettingValues::kBoundActions>;

std::string KeyName(int32_t symbol) { return SdlKeyNames().spell(symbol); }

std::string PadName(int32_t code) {
    for (const auto& [bit, direction] : kHatDirections)
        if (code == (Binding::kHatCode | bit)) return std::string("hat ") + direction;
    return std::to_string(code);
}

bool ReadKey(const std::string& text, int32_t& code) {
    int32_t symbol = 0;
    if (!SdlKeyNames().find(text, symbol) || symbol <= 0) return false;
    code = symbol;
    return true;
}

bool ReadPad(const std::string& text, int32_t& code) {
    for (const auto& [bit, direction] : kHatDirections) {
        if (text != std::string("hat ") + direction) continue;
        code = Binding::kHatCode | bit;
        return true;
    }
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    if (std::stoi(text) > kMaxButton) return false;
    code = std::stoi(text);
    return true;
}

std::string ValueName(int32_t code, std::string (*spell)(int32_t)) {
    if (code == SettingValues::kDefaultBinding) return kDefaultName;
    return code == SettingValues::kNoBinding ? kNoneName : spell(code);
}

SettingKey BindingKey(const char* name, const char* allowed, BindingValues SettingValues::*list, size_t row,
                      bool (*read)(const std::string&, int32_t&), std::string (*spell)(int32_t)) {
    return {name, allowed,
            [=](const std::string& text, SettingValues& values) {
                int32_t code = text == kDefaultName ? SettingValues::kDefaultBinding : SettingValues::kNoBinding;
                if (text != kDefaultName && text != kNoneName && !read(text, code)) return false;
                (values.*list)[row] = code;
                return true;
            },
            [=](const SettingValues& values) { return ValueName((values.*list)[row], spell); }, kDefaultName};
}

// Every menu needs these to be used, and to reach OPTIONS to undo a binding.
constexpr int32_t kMenuActions[] = {ButtonA, ButtonB, Up, Down};

// Whether the action keeps a key (control) of the kind that no fixed key is.
bool KeepsControl(const Input& input, int32_t action, int32_t kind) {
    auto [first, last] = input.bindings.equal_range(action);
    return std::any_of(first, last, [&](const auto& entry) {
        return entry.second.kind == kind && !(kind == Binding::kKeyboard && FixedKey(entry.second.code));
    });
}

// The page's name of the first menu action that had a control of the kind
// and has none in `trial`, or nullptr.
const char* LostMenuAction(const Input& input, const Input& trial, int32_t kind) {
    for (int32_t action : kMenuActions) {
        if (!KeepsControl(input, action, kind) || KeepsControl(trial, action, kind)) continue;
        for (const BoundAction& bound : BoundActions())
            if (bound.action == action) return bound.label;
    }
    return nullptr;
}

// Binds (or, for kNoBinding, unbinds) the action alone to the code.
void Bind(int32_t action, int32_t kind, int32_t code, Input& input) {
    if (code == SettingValues::kNoBinding) input.Unbind(action, kind);
    else if (kind == Binding::kKeyboard) input.RebindKey(action, code);
    else input.RebindJoystick(action, uint8_t(code));
}

void TakeBindings(const Input& trial, Input& input) {
    input.bindings = trial.bindings;
    input.playBindings = trial.playBindings;
}

bool SameTable(int32_t a, int32_t b) { return bool(uint32_t(a) & kPlayActions) == bool(uint32_t(b) & kPlayActions); }
}

const std::vector<BoundAction>& BoundActions() {
    static const std::vector<BoundAction> actions = {
        {"WALK LEFT", "key.left", "pad.left", Left},
        {"WALK RIGHT", "key.right", "pad.right", Right},
        {"UP", "key.up", "pad.up", Up},
        {"DOWN", "key.down", "pad.down", Down},
        {"JUMP", "key.jump", "pad.jump", Jump},
        {"WHIP", "key.whip", "pad.whip", Attack},
        {"PAUSE", "key.pause", "pad.pause", PauseGame},
        {"CONFIRM", "key.confirm", "pad.confirm", ButtonA},
        {"BACK", "key.back", "pad.back", ButtonB},
    };
    return actions;
}

void AddBindingKeys(std::vector<SettingKey>& keys) {
    for (size_t row = 0; row < BoundActions().size(); ++row)
        keys.push_back(BindingKey(BoundActions()[row].keyName, "a key name, default or none", &SettingValues::keys, row,
                                  ReadKey, KeyName));
    for (size_t row = 0; row < BoundActions().size(); ++row)
        keys.push_back(BindingKey(BoundActions()[row].padName,
                                  "a button number, hat up, hat down, hat left, hat right, default or none",
                                  &SettingValues::pads, row, ReadPad, PadName));
}

bool Rebind(int32_t row, const Binding& control, Input& input, SettingValues& values) {
    const int32_t action = BoundActions()[row].action;
    Input trial = input;
    Bind(action, control.kind, control.code, trial);
    if (LostMenuAction(input, trial, control.kind)) return false;
    TakeBindings(trial, input);
    BindingValues& list = control.kind == Binding::kKeyboard ? values.keys : values.pads;
    for (size_t other = 0; other < list.size(); ++other)
        if (list[other] == control.code && SameTable(BoundActions()[other].action, action))
            list[other] = SettingValues::kNoBinding;
    list[row] = control.code;
    return true;
}

void ResetBindings(Input& input, SettingValues& values) {
    input.RestoreDefaultBindings();
    values.keys.fill(SettingValues::kDefaultBinding);
    values.pads.fill(SettingValues::kDefaultBinding);
}

// All of a kind at once, so that neither their order nor a way through a
// locked-out state matters: only where they lead.
void ApplyBindingSettings(SettingValues& values, Input& input, std::vector<std::string>& problems) {
    for (int32_t kind : {Binding::kKeyboard, Binding::kJoystick}) {
        const bool keys = kind == Binding::kKeyboard;
        BindingValues& list = keys ? values.keys : values.pads;
        Input trial = input;
        for (size_t row = 0; row < list.size(); ++row)
            if (list[row] != SettingValues::kDefaultBinding) Bind(BoundActions()[row].action, kind, list[row], trial);
        const char* lost = LostMenuAction(input, trial, kind);
        if (!lost) {
            TakeBindings(trial, input);
            continue;
        }
        problems.push_back(
            keys ? std::string("key.* would leave ") + lost +
                       " without a key that Escape, F2, F3, F5, F6 or F12 does not take; every key.* stays default"
                 : std::string("pad.* would leave ") + lost + " without a control; every pad.* stays default");
        list.fill(SettingValues::kDefaultBinding);
    }
}

std::string ControlLabel(const Binding* control) {
    if (!control) return "NONE";
    std::string name = control->kind == Binding::kKeyboard ? KeyName(control->code) : PadName(control->code);
    if (control->kind == Binding::kJoystick && name.find("hat") == std::string::npos) name = "button " + name;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return name;
}

namespace {
// "EVEN BUTTONS" or "ODD BUTTONS" for every button of one kind the pad has,
// else each button's number.
std::string ButtonsLabel(const std::vector<int32_t>& buttons, int padButtons) {
    for (int32_t parity : {0, 1}) {
        std::vector<int32_t> all;
        for (int32_t button = parity; button < padButtons; button += 2)
            if (button != Input::kStartButton) all.push_back(button);
        if (all.size() > 1 && buttons == all) return parity ? "ODD BUTTONS" : "EVEN BUTTONS";
    }
    std::string label = buttons.size() > 1 ? "BUTTONS" : "BUTTON";
    for (int32_t button : buttons) label += " " + std::to_string(button);
    return label;
}
}

std::string ControlsLabel(const Input& input, int32_t action, int32_t kind) {
    const auto& table = uint32_t(action) & kPlayActions ? input.playBindings : input.bindings;
    auto [first, last] = table.equal_range(action);
    std::string label;
    std::vector<int32_t> buttons;
    for (auto it = first; it != last; ++it) {
        const Binding& control = it->second;
        if (control.kind != kind) continue;
        if (kind == Binding::kJoystick && !(control.code & Binding::kHatCode)) buttons.push_back(control.code);
        else label += (label.empty() ? "" : " ") + ControlLabel(&control);
    }
    std::sort(buttons.begin(), buttons.end());
    if (!buttons.empty()) label += (label.empty() ? "" : " ") + ButtonsLabel(buttons, input.PadButtons());
    return label.empty() ? "NONE" : label;
}
