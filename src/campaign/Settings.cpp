#include "campaign/Settings.h"
#include "base/Log.h"
#include "campaign/Bindings.h"
#include "campaign/OptionsPage.h"
#include "platform/Files.h"
#include <algorithm>
#include <set>

namespace {
// Far more than any settings file a person writes; a larger file is no
// settings file and is left alone.
constexpr size_t kMaxSettingsBytes = 64 * 1024;

const SettingKey* FindKey(const std::string& name) {
    for (const SettingKey& key : SettingKeys())
        if (name == key.name) return &key;
    return nullptr;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

// The key of a "key = value" line, or "" for a comment, a blank line or a
// line without "=".
std::string KeyOf(const std::string& line) {
    const std::string trimmed = Trimmed(line);
    const size_t equals = trimmed.find('=');
    if (trimmed.empty() || trimmed[0] == '#' || equals == std::string::npos) return "";
    return Trimmed(trimmed.substr(0, equals));
}

std::string ValueOf(const std::string& line) { return Trimmed(line.substr(line.find('=') + 1)); }

std::string KeyLine(const SettingKey& key, const SettingValues& values) {
    return std::string(key.name) + " = " + key.write(values);
}

std::vector<std::string> Header() {
    std::vector<std::string> lines = {
        "# Duskhold settings, written by the game when they change in OPTIONS.",
        "# One \"key = value\" a line; lines the game does not know are kept as they are.",
    };
    // The keys of a family that all allow the same ("key.jump", "key.back")
    // share one line, and one more line names the family's members.
    std::set<std::string> families;
    std::string members;
    const auto familyOf = [](const std::string& name) { return name.substr(0, name.find('.')); };
    const auto sharesLine = [&familyOf](const SettingKey& key) {
        const std::string family = familyOf(key.name);
        return family != key.name && std::all_of(SettingKeys().begin(), SettingKeys().end(), [&](const SettingKey& k) {
                   return familyOf(k.name) != family || std::string(k.allowed) == key.allowed;
               });
    };
    for (const SettingKey& key : SettingKeys()) {
        const std::string name = key.name;
        const size_t dot = name.find('.');
        if (!sharesLine(key)) {
            lines.push_back("# " + name + ": " + key.allowed);
            continue;
        }
        const std::string family = name.substr(0, dot);
        if (families.insert(family).second) lines.push_back("# " + family + ".ACTION: " + key.allowed);
        if (families.size() == 1) members += (members.empty() ? "" : ", ") + name.substr(dot + 1);
    }
    if (!members.empty()) lines.push_back("# ACTION: " + members);
    return lines;
}

struct RunSettings {
    Settings settings;
    // The values as the file last held them for this run: the keys whose
    // value differs from it are the ones this run changed.
    SettingValues written;
    std::string path;
    bool writable = true;
    bool changed = false;
    // Waiting for the lock: the steps waited, and whether a line said so.
    bool waiting = false;
    long waitedSteps = 0;
    bool saidWaiting = false;
    std::set<std::string> said;
};

RunSettings& Run() {
    static RunSettings run;
    return run;
}
}

const std::vector<SettingKey>& SettingKeys() {
    static const std::vector<SettingKey> keys = [] {
        std::vector<SettingKey> list;
        AddOptionKeys(list);
        AddBindingKeys(list);
        return list;
    }();
    return keys;
}

namespace {
// The value of a known key's line as that key reads it, or "" for a bad one.
std::string LineValue(const SettingKey& key, const std::string& line, const SettingValues& values) {
    SettingValues read = values;
    return key.read(ValueOf(line), read) ? key.write(read) : "";
}
}

void Settings::Read(const std::string& text, std::vector<std::string>& problems) {
    size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        const size_t ending = text.compare(end, 2, "\r\n") == 0 ? 2 : end < text.size() ? 1 : 0;
        endings_.push_back(text.substr(end, ending));
        start = end + ending;
        lines_.push_back(line);
        const std::string name = KeyOf(line);
        const std::string where = "line " + std::to_string(number) + ": ";
        if (name.empty()) {
            const std::string trimmed = Trimmed(line);
            if (!trimmed.empty() && trimmed[0] != '#') problems.push_back(where + "no \"key = value\", kept as it is");
            continue;
        }
        const SettingKey* key = FindKey(name);
        if (key && !key->read(ValueOf(line), values))
            problems.push_back(where + name + " = " + ValueOf(line) + " is not " + key->allowed + "; it stays " +
                               key->write(values));
    }
}

std::string Settings::Text() const {
    std::vector<std::string> lines = lines_.empty() ? Header() : lines_;
    std::vector<std::string> endings = endings_;
    endings.resize(lines.size(), "\n");
    std::set<std::string> written;
    for (std::string& line : lines) {
        if (const SettingKey* key = FindKey(KeyOf(line))) {
            if (LineValue(*key, line, values) != key->write(values)) line = KeyLine(*key, values);
            written.insert(key->name);
        }
    }
    const std::string ending = endings.empty() || endings[0].empty() ? "\n" : endings[0];
    for (const SettingKey& key : SettingKeys())
        if (!written.count(key.name) && !(key.unlisted && key.write(values) == key.unlisted)) {
            if (!endings.empty() && endings.back().empty()) endings.back() = ending;
            lines.push_back(KeyLine(key, values));
            endings.push_back(ending);
        }
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) text += lines[i] + endings[i];
    return text;
}

SettingsFile ReadSettingsFile(const std::string& path, Settings& settings, std::vector<std::string>& problems) {
    if (!GameFileIsThere(path)) return SettingsFile::Missing;
    std::vector<unsigned char> bytes;
    std::string reason;
    if (!ReadWholeFile(path, kMaxSettingsBytes, bytes, reason)) {
        problems.push_back(path + " cannot be read (" + reason + "): the defaults stand and the file is left as it is");
        return SettingsFile::Unreadable;
    }
    std::vector<std::string> lineProblems;
    settings.Read(std::string(bytes.begin(), bytes.end()), lineProblems);
    for (const std::string& problem : lineProblems) problems.push_back(path + " " + problem);
    return SettingsFile::Read;
}

bool WriteSettingsFile(const std::string& path, const Settings& settings, std::string& error) {
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !MakeDirectories(path.substr(0, slash), error)) return false;
    const std::string text = settings.Text();
    return ReplaceFileWhole(path, std::vector<unsigned char>(text.begin(), text.end()), error);
}

std::string PlayerSettingsPath() {
    const std::string folder = PlayerConfigDir();
    return folder.empty() ? folder : folder + "/settings";
}

void LoadSettings(const std::string& path) {
    RunSettings& run = Run();
    run = RunSettings();
    run.path = path;
    if (path.empty()) return;
    std::vector<std::string> problems;
    run.writable = ReadSettingsFile(path, run.settings, problems) != SettingsFile::Unreadable;
    run.written = run.settings.values;
    PrintProblems("Settings", path, problems);
}

Settings& TheSettings() { return Run().settings; }

const std::string& SettingsPath() { return Run().path; }

void NoteSettingsChanged() { Run().changed = true; }

void ChangeForThisRun(const std::function<void(SettingValues& values)>& change) {
    change(Run().settings.values);
    change(Run().written);
}

namespace {
enum class Kept { Yes, Waiting, No };

// Under the lock: the file as it is now, with the values of the keys this
// run changed put in it.
Kept WriteChangedKeys(RunSettings& run, int waitMs, std::string& error) {
    if (run.path.empty()) {
        error = "neither XDG_CONFIG_HOME nor HOME names a folder for them";
        return Kept::No;
    }
    if (!run.writable) {
        error = run.path + " could not be read and is left as it is";
        return Kept::No;
    }
    std::vector<const SettingKey*> changed;
    for (const SettingKey& key : SettingKeys())
        if (key.write(run.settings.values) != key.write(run.written)) changed.push_back(&key);
    if (changed.empty()) return Kept::Yes;
    const size_t slash = run.path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !MakeDirectories(run.path.substr(0, slash), error)) return Kept::No;
    FileLock lock(run.path + ".lock", waitMs);
    if (lock.Busy()) return Kept::Waiting;
    if (!lock.Held(error)) return Kept::No;
    RemoveLeftoverTemporaries(run.path);
    Settings now;
    std::vector<std::string> problems;
    if (ReadSettingsFile(run.path, now, problems) == SettingsFile::Unreadable) {
        error = problems.empty() ? run.path + " cannot be read" : problems.back();
        return Kept::No;
    }
    for (const SettingKey* key : changed) key->read(key->write(run.settings.values), now.values);
    if (!WriteSettingsFile(run.path, now, error)) return Kept::No;
    run.written = run.settings.values;
    return Kept::Yes;
}
}

void KeepChangedSettings(int waitMs) {
    RunSettings& run = Run();
    if (!run.changed) return;
    std::string error;
    const Kept kept = WriteChangedKeys(run, waitMs, error);
    run.waiting = kept == Kept::Waiting;
    run.changed = run.waiting;
    if (!run.waiting && run.saidWaiting && kept == Kept::Yes)
        TellPlayer("Settings saved: the lock %s.lock is free", run.path.c_str());
    if (!run.waiting) run.waitedSteps = 0, run.saidWaiting = false;
    if (kept == Kept::No && run.said.insert(error).second)
        TellPlayer("Settings are kept for this run only: %s", error.c_str());
    if (run.waiting && waitMs > 0)
        TellPlayer("Settings not saved: another program held the lock %s.lock until the game ended", run.path.c_str());
}

void KeepWaitingSettings() {
    RunSettings& run = Run();
    if (!run.waiting) return;
    KeepChangedSettings();
    if (!run.waiting || ++run.waitedSteps != kLockWaitSteps) return;
    run.saidWaiting = true;
    TellPlayer("Settings waiting: another program holds the lock %s.lock; they are saved once it is free",
               run.path.c_str());
}
