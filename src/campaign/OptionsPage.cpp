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

// A number from low to high in strides, as the file names it: a whole
// number between read as the nearest of them (a tie as the larger). A file
// without the key gets none while it is at `unlisted`.
OptionRow Strides(const char* name, const char* allowed, const char* label, int32_t SettingValues::*member, int32_t low,
                  int32_t high, int32_t stride, std::string (*text)(int32_t value), const char* unlisted) {
    OptionRow row{{name, allowed,
                   [=](const std::string& value, SettingValues& values) {
                       if (value.empty() || value.size() > 3 || value.find_first_not_of("0123456789") != value.npos)
                           return false;
                       const int32_t nearest = (std::stoi(value) + stride / 2) / stride * stride;
                       values.*member = std::clamp(nearest, low, high);
                       return true;
                   },
                   [member](const SettingValues& values) { return std::to_string(values.*member); }, unlisted},
                  label,
                  [=](SettingValues& values, int32_t direction, bool wrap) {
                      int32_t strides = (values.*member - low) / stride;
                      if (!StepWithin(strides, direction, 0, (high - low) / stride, wrap)) return false;
                      values.*member = low + strides * stride;
                      return true;
                  },
                  [member, text](const SettingValues& values) { return text(values.*member); }};
    row.apply = ApplyAssistSettings;
    return row;
}

std::string PerCent(int32_t value) { return std::to_string(value) + "%"; }
// The menu font has no plus sign: the label says the hearts are added.
std::string Added(int32_t value) { return value == 0 ? "OFF" : std::to_string(value); }

OptionRow KeepLives() {
    OptionRow row = Switch("assist.keep_lives", "NO LIFE LOSS", &SettingValues::assistKeepLives, ApplyAssistSettings);
    row.key.unlisted = "off";
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

const std::vector<OptionRow>& AssistRows() {
    static const std::vector<OptionRow> rows = {
        Strides("assist.speed", "50 to 100 (per cent, in tens)", "GAME SPEED", &SettingValues::assistSpeed, 50, 100, 10,
                PerCent, "100"),
        Strides("assist.hearts", "0, 2 or 4", "EXTRA HEARTS", &SettingValues::assistHearts, 0, 4, 2, Added, "0"),
        KeepLives(),
    };
    return rows;
}

void AddOptionKeys(std::vector<SettingKey>& keys) {
    for (const auto* rows : {&OptionRows(), &AssistRows()})
        for (const OptionRow& row : *rows) keys.push_back(row.key);
}

void OptionsPage::Reset(const SettingValues& values) {
    list = ListPage();
    for (const OptionRow& option : options_()) {
        ListPage::Row row;
        row.label = option.label;
        row.meterCells = option.meterCells;
        row.steps = true;
        list.rows.push_back(row);
    }
    if (opensAssist_) list.rows.push_back({"ASSIST"});
    list.rows.push_back({"BACK"});
    list.Open();
    Show(values);
}

OptionsPage::Step OptionsPage::Update(uint32_t held, SettingValues& values) {
    Step step;
    const ListPage::Step moved = list.Update(held);
    const bool confirmed = moved.row >= 0 && moved.direction == 0;
    const int32_t options = int32_t(options_().size());
    if (moved.leave || (confirmed && moved.row == int32_t(list.rows.size()) - 1)) {
        step.leave = true;
    } else if (moved.row == options) {
        step.opensAssist = confirmed;
    } else if (moved.row >= 0) {
        const OptionRow& option = options_()[size_t(moved.row)];
        if ((!confirmed || option.confirmSteps) && option.step(values, confirmed ? 1 : moved.direction, confirmed))
            step.changed = moved.row;
    }
    Show(values);
    return step;
}

void OptionsPage::Show(const SettingValues& values) {
    for (size_t i = 0; i < options_().size(); ++i) {
        const OptionRow& option = options_()[i];
        list.rows[i].value = option.text(values);
        if (option.meter) list.rows[i].meter = option.meter(values);
    }
}
