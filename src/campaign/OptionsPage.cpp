#include "campaign/OptionsPage.h"
#include "campaign/SettingsEffects.h"
#include <algorithm>

namespace {
// Moves `value` by `direction` within low..high; past an end it stays, or
// comes round to the other end when `wrap` is set.
bool StepWithin(int32_t& value, int32_t direction, int32_t low, int32_t high, bool wrap) {
    int32_t next = value + direction;
    if (wrap && next > high) next = low;
    next = std::clamp(next, low, high);
    if (next == value) return false;
    value = next;
    return true;
}

bool ReadWholeNumber(const std::string& text, int32_t low, int32_t high, int32_t& value) {
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    const int32_t number = std::stoi(text);
    if (number < low || number > high) return false;
    value = number;
    return true;
}

OptionRow Volume(const char* name, const char* label, int32_t SettingValues::*volume, bool playsSample) {
    OptionRow row{{name, "0 to 10",
                   [volume](const std::string& text, SettingValues& values) {
                       return ReadWholeNumber(text, 0, SettingValues::kMaxVolume, values.*volume);
                   },
                   [volume](const SettingValues& values) { return std::to_string(values.*volume); }},
                  label,
                  [volume](SettingValues& values, int32_t direction, bool wrap) {
                      return StepWithin(values.*volume, direction, 0, SettingValues::kMaxVolume, wrap);
                  },
                  [volume](const SettingValues& values) { return std::to_string(values.*volume); }};
    row.meterCells = SettingValues::kMaxVolume;
    row.meter = [volume](const SettingValues& values) { return values.*volume; };
    row.confirmSteps = false;
    row.apply = ApplySoundSettings;
    row.playsSample = playsSample;
    return row;
}

OptionRow Switch(const char* name, const char* label, bool SettingValues::*on, void (*apply)(const SettingValues&)) {
    OptionRow row{{name, "on or off",
                   [on](const std::string& text, SettingValues& values) {
                       if (text != "on" && text != "off") return false;
                       values.*on = text == "on";
                       return true;
                   },
                   [on](const SettingValues& values) { return std::string(values.*on ? "on" : "off"); }},
                  label,
                  [on](SettingValues& values, int32_t, bool) {
                      values.*on = !(values.*on);
                      return true;
                  },
                  [on](const SettingValues& values) { return std::string(values.*on ? "ON" : "OFF"); }};
    row.apply = apply;
    return row;
}

OptionRow WindowSize() {
    OptionRow row{{"window_size", "1 to 4 (times 320x240) or fit",
                   [](const std::string& text, SettingValues& values) {
                       if (text != "fit")
                           return ReadWholeNumber(text, 1, SettingValues::kLargestScale, values.windowSize);
                       values.windowSize = SettingValues::kFitWindow;
                       return true;
                   },
                   [](const SettingValues& values) {
                       return values.windowSize == SettingValues::kFitWindow ? std::string("fit")
                                                                             : std::to_string(values.windowSize);
                   }},
                  "WINDOW SIZE",
                  [](SettingValues& values, int32_t direction, bool wrap) {
                      return StepWithin(values.windowSize, direction, 1, SettingValues::kFitWindow, wrap);
                  },
                  [](const SettingValues& values) {
                      return values.windowSize == SettingValues::kFitWindow ? std::string("FIT")
                                                                            : std::to_string(values.windowSize) + "X";
                  }};
    row.apply = ApplyWindowSettings;
    return row;
}

// The HUD reads it as it draws; a file without the key gets none while it is off.
OptionRow Timer() {
    OptionRow row = Switch("timer", "TIMER", &SettingValues::timer, [](const SettingValues&) {});
    row.key.unlisted = "off";
    return row;
}
}

const std::vector<OptionRow>& OptionRows() {
    static const std::vector<OptionRow> rows = {
        Volume("music_volume", "MUSIC", &SettingValues::musicVolume, false),
        Volume("effects_volume", "EFFECTS", &SettingValues::effectsVolume, true),
        Switch("fullscreen", "FULLSCREEN", &SettingValues::fullscreen, ApplyWindowSettings),
        WindowSize(),
        Switch("outlines", "OUTLINES", &SettingValues::outlines, ApplyOverlaySettings),
        Switch("console", "CONSOLE", &SettingValues::console, ApplyOverlaySettings),
        Timer(),
    };
    return rows;
}

void AddOptionKeys(std::vector<SettingKey>& keys) {
    for (const OptionRow& row : OptionRows()) keys.push_back(row.key);
}

void OptionsPage::Reset(const SettingValues& values) {
    list = ListPage();
    for (const OptionRow& option : OptionRows()) {
        ListPage::Row row;
        row.label = option.label;
        row.meterCells = option.meterCells;
        row.steps = true;
        list.rows.push_back(row);
    }
    list.rows.push_back({"BACK"});
    list.Open();
    Show(values);
}

OptionsPage::Step OptionsPage::Update(uint32_t held, SettingValues& values) {
    Step step;
    const ListPage::Step moved = list.Update(held);
    const bool confirmed = moved.row >= 0 && moved.direction == 0;
    if (moved.leave || (confirmed && moved.row == int32_t(OptionRows().size()))) {
        step.leave = true;
    } else if (moved.row >= 0) {
        const OptionRow& option = OptionRows()[size_t(moved.row)];
        if ((!confirmed || option.confirmSteps) && option.step(values, confirmed ? 1 : moved.direction, confirmed))
            step.changed = moved.row;
    }
    Show(values);
    return step;
}

void OptionsPage::Show(const SettingValues& values) {
    for (size_t i = 0; i < OptionRows().size(); ++i) {
        const OptionRow& option = OptionRows()[i];
        list.rows[i].value = option.text(values);
        if (option.meter) list.rows[i].meter = option.meter(values);
    }
}
