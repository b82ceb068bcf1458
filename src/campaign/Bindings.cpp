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

bool CanConfirmAndGoBack(const Input& input, int32_t kind) {
    return input.FirstBinding(ButtonA, kind) && input.FirstBinding(ButtonB, kind);
}

// Binds (or, for kNoBinding, unbinds) on a copy first: refused when confirm
// or back would lose the last control of the kind.
bool TryBinding(int32_t action, int32_t kind, int32_t code, Input& input) {
    Input trial = input;
    if (code == SettingValues::kNoBinding) trial.Unbind(action, kind);
    else if (kind == Binding::kKeyboard) trial.RebindKey(action, code);
    else trial.RebindJoystick(action, uint8_t(code));
    if (CanConfirmAndGoBack(input, kind) && !CanConfirmAndGoBack(trial, kind)) return false;
    input.bindings = trial.bindings;
    input.playBindings = trial.playBindings;
    return true;
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
    if (!TryBinding(action, control.kind, control.code, input)) return false;
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

void ApplyBindingSettings(SettingValues& values, Input& input, std::vector<std::string>& problems) {
    for (int32_t kind : {Binding::kKeyboard, Binding::kJoystick}) {
        BindingValues& list = kind == Binding::kKeyboard ? values.keys : values.pads;
        for (size_t row = 0; row < list.size(); ++row) {
            const BoundAction& bound = BoundActions()[row];
            if (list[row] == SettingValues::kDefaultBinding || TryBinding(bound.action, kind, list[row], input))
                continue;
            problems.push_back(std::string(kind == Binding::kKeyboard ? bound.keyName : bound.padName) + " = " +
                               ValueName(list[row], kind == Binding::kKeyboard ? KeyName : PadName) +
                               " would leave no way to confirm or go back; it stays default");
            list[row] = SettingValues::kDefaultBinding;
        }
    }
}

std::string ControlLabel(const Binding* control) {
    if (!control) return "NONE";
    std::string name = control->kind == Binding::kKeyboard ? KeyName(control->code) : PadName(control->code);
    if (control->kind == Binding::kJoystick && name.find("hat") == std::string::npos) name = "button " + name;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return name;
}
