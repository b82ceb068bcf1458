#pragma once
#include "campaign/ListPage.h"
#include "campaign/Settings.h"
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One setting of OPTIONS: its key in the settings file, its label, how it
// steps and reads on the page, and what a change does to the running game.
// A new option is one row of OptionRows (and its field in SettingValues).
struct OptionRow {
    SettingKey key;
    const char* label;
    // Moves the value one step; past an end it stays, or comes round when
    // `wrap` is set. True when it changed.
    std::function<bool(SettingValues& values, int32_t direction, bool wrap)> step;
    std::function<std::string(const SettingValues& values)> text;
    // A volume's bar of `meterCells` cells, lit up to `meter`; 0 cells for none.
    int32_t meterCells = 0;
    std::function<int32_t(const SettingValues& values)> meter = nullptr;
    bool confirmSteps = true;  // ButtonA steps it round (a volume only moves with the arrows)
    void (*apply)(const SettingValues& values) = nullptr;
    bool playsSample = false;  // the effects sample is heard at the new volume
};
// In the order OPTIONS lists them and a new settings file names them.
const std::vector<OptionRow>& OptionRows();
// The same for the ASSIST page, which OPTIONS opens; a new file names them after the others.
const std::vector<OptionRow>& AssistRows();
// Adds the settings keys of both pages.
void AddOptionKeys(std::vector<SettingKey>& keys);

// The moving parts of a page of options (OPTIONS, or ASSIST): a row for each
// option, on OPTIONS an ASSIST row, then BACK. Left and Right step the row's
// value (a switch flips); ButtonA flips a switch, steps the window size
// round, opens ASSIST and leaves on BACK; ButtonB leaves.
class OptionsPage {
public:
    // What one step did.
    struct Step {
        int32_t changed = -1;  // the option whose value changed, or -1
        bool leave = false;
        bool opensAssist = false;
    };

    using Options = const std::vector<OptionRow>& (*)();
    explicit OptionsPage(Options options = OptionRows, bool opensAssist = true)
        : options_(options), opensAssist_(opensAssist) {}
    const std::vector<OptionRow>& Rows() const { return options_(); }

    // The cursor on the first row, the values shown.
    void Reset(const SettingValues& values);
    Step Update(uint32_t held, SettingValues& values);

    ListPage list;

private:
    void Show(const SettingValues& values);

    Options options_;
    bool opensAssist_;
};
