// Any text as a settings file: each problem names its line; the values the
// file gave are written back and read again the same; and the bindings it
// holds, applied over the default keys and a joystick's controls, leave
// confirm, back, up and down each a key that no fixed key is, and a control.
#include "campaign/Bindings.h"
#include "campaign/Settings.h"
#include <cstdlib>

namespace {
bool MenusUsable(const Input& input) {
    for (int32_t action : {ButtonA, ButtonB, Up, Down}) {
        bool key = false, control = false;
        auto [first, last] = input.bindings.equal_range(action);
        for (auto it = first; it != last; ++it) {
            key = key || (it->second.kind == Binding::kKeyboard && !FixedKey(it->second.code));
            control = control || it->second.kind == Binding::kJoystick;
        }
        if (!key || !control) return false;
    }
    return true;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Settings settings;
    std::vector<std::string> problems;
    settings.Read(std::string(reinterpret_cast<const char*>(data), size), problems);
    for (const std::string& problem : problems)
        if (problem.compare(0, 5, "line ") != 0) abort();

    Settings again;
    again.Read(settings.Text(), problems);
    for (const SettingKey& key : SettingKeys())
        if (key.write(again.values) != key.write(settings.values)) abort();

    Input input;
    input.BindJoystickControls(0, 12, 1);
    problems.clear();
    ApplyBindingSettings(settings.values, input, problems);
    if (problems.size() > 2 || !MenusUsable(input)) abort();
    return 0;
}
