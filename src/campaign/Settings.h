#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What a player chooses in OPTIONS. The defaults: full volumes, a window of
// three times 320x240, and neither the collision outlines nor the console
// drawn (the engine's rules draw both; ShowOverlaysAsEngine).
struct SettingValues {
    static constexpr int32_t kMaxVolume = 10;
    static constexpr int32_t kLargestScale = 4;
    // The window size that is the largest whole scale fitting the desktop.
    static constexpr int32_t kFitWindow = kLargestScale + 1;
    // The actions CONFIGURE rebinds (BoundActions lists them), and the
    // values of a binding that is no key or control.
    static constexpr int32_t kBoundActions = 9;
    static constexpr int32_t kDefaultBinding = -1;  // the game's own keys (controls)
    static constexpr int32_t kNoBinding = -2;

    int32_t musicVolume = kMaxVolume;
    int32_t effectsVolume = kMaxVolume;
    bool fullscreen = false;
    int32_t windowSize = 3;  // 1 to 4 times 320x240, or kFitWindow
    bool outlines = false;
    bool console = false;
    bool timer = false;  // the stage's time in the HUD
    // The assists of a play stage (PlayAssists): the pace of its steps in
    // per cent, hearts added to a full life, and lives kept.
    int32_t assistSpeed = 100;
    int32_t assistHearts = 0;
    bool assistKeepLives = false;
    // Per bound action: a key symbol (joystick control code), or one of the two above.
    std::array<int32_t, kBoundActions> keys = DefaultBindings();
    std::array<int32_t, kBoundActions> pads = DefaultBindings();

private:
    static constexpr std::array<int32_t, kBoundActions> DefaultBindings() {
        std::array<int32_t, kBoundActions> all{};
        for (int32_t& binding : all) binding = kDefaultBinding;
        return all;
    }
};

// One key of the settings file: how its value is read (false for a bad
// one, which leaves the values as they were), how it is written, and what
// it allows, for the file's header and the status line of a bad value.
struct SettingKey {
    const char* name;
    const char* allowed;
    std::function<bool(const std::string& value, SettingValues& values)> read;
    std::function<std::string(const SettingValues& values)> write;
    // A value not worth adding to a file that lacks the key (the bindings'
    // "default"), or nullptr.
    const char* unlisted = nullptr;
};
// Every key the game knows, in the order a new file lists them.
const std::vector<SettingKey>& SettingKeys();

// The settings file: "key = value" lines, blank lines and "#" comments, each
// ending in LF, CRLF or CR. It is read over the values already held; written
// back, it keeps every line it was read from byte for byte, line ends
// included (comments, keys it does not know, keys whose value is unchanged),
// rewrites the lines of the keys whose value changed, and adds the keys it
// lacked, with the line end of its first line. A new file starts with a
// header that names each key and what it allows.
class Settings {
public:
    SettingValues values;

    // Reads the text; each line that is no key with a good value, nor a
    // key the game does not know, a comment or blank, adds one problem
    // ("line N: ...") and changes nothing.
    void Read(const std::string& text, std::vector<std::string>& problems);
    std::string Text() const;

private:
    std::vector<std::string> lines_;
    std::vector<std::string> endings_;  // each line's end: "\n", "\r\n", "\r" or "" for the last
};

// How reading a settings file went.
enum class SettingsFile { Missing, Read, Unreadable };
// Reads the file at `path` into `settings`; the problems name the path.
SettingsFile ReadSettingsFile(const std::string& path, Settings& settings, std::vector<std::string>& problems);
// Writes the settings whole (a temporary file renamed over the old one),
// making the folder when needed; false with the reason.
bool WriteSettingsFile(const std::string& path, const Settings& settings, std::string& error);

// $XDG_CONFIG_HOME/duskhold/settings (normally ~/.config/duskhold/settings);
// "" when the system names no folder for it.
std::string PlayerSettingsPath();

// The settings of this run and their file, which `--settings` may name.
// Loading prints one status line for each problem; a missing file leaves the
// defaults. A file that is there but cannot be read is never written over.
void LoadSettings(const std::string& path);
Settings& TheSettings();
const std::string& SettingsPath();
// What OPTIONS changed is written when the page is left and when the game
// ends, as a save is: under the lock settings.lock beside the file, which is
// only tried, the file is read again and only the keys whose value this run
// changed are changed in it, so that a hand edit made while the game ran and
// another game's changes are kept. One status line (once a run) says why
// when it cannot be; while another program holds the lock the change waits,
// and KeepWaitingSettings (once a step) tries again, saying so once after
// kLockWaitSteps. When the game ends, `waitMs` lets the lock come that long.
void NoteSettingsChanged();
// Changes the values for this run only: the file keeps what it holds for
// them unless the player changes them again.
void ChangeForThisRun(const std::function<void(SettingValues& values)>& change);
void KeepChangedSettings(int waitMs = 0);
void KeepWaitingSettings();
