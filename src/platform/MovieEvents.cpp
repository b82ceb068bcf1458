#include "platform/MovieEvents.h"
#include "base/Log.h"
#include "platform/EventQueue.h"
#include "platform/Files.h"
#include "platform/Input.h"
#include <SDL.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

namespace {
constexpr size_t kMaxMovieBytes = 16u << 20;

#ifdef __EMSCRIPTEN__
// The browser's SDL has no key names and numbers its keys its own way: the
// names the desktop gives, for the keys a player of the game presses, so
// that a movie plays the same in both.
std::map<std::string, int32_t> KeyTable() {
    std::map<std::string, int32_t> table = {
        {"up", SDLK_UP},
        {"down", SDLK_DOWN},
        {"left", SDLK_LEFT},
        {"right", SDLK_RIGHT},
        {"return", SDLK_RETURN},
        {"enter", SDLK_KP_ENTER},
        {"space", SDLK_SPACE},
        {"escape", SDLK_ESCAPE},
        {"backspace", SDLK_BACKSPACE},
        {"tab", SDLK_TAB},
        {"delete", SDLK_DELETE},
        {"insert", SDLK_INSERT},
        {"home", SDLK_HOME},
        {"end", SDLK_END},
        {"page up", SDLK_PAGEUP},
        {"page down", SDLK_PAGEDOWN},
        {"left shift", SDLK_LSHIFT},
        {"right shift", SDLK_RSHIFT},
        {"left ctrl", SDLK_LCTRL},
        {"right ctrl", SDLK_RCTRL},
        {"left alt", SDLK_LALT},
        {"right alt", SDLK_RALT},
        {"f1", SDLK_F1},
        {"f2", SDLK_F2},
        {"f3", SDLK_F3},
        {"f12", SDLK_F12},
    };
    for (char c = 'a'; c <= 'z'; ++c) table.emplace(std::string(1, c), c);
    for (char c = '0'; c <= '9'; ++c) table.emplace(std::string(1, c), c);
    return table;
}
#else
std::string SdlKeyName(int32_t symbol) {
    std::string name = SDL_GetKeyName(SDLKey(symbol));
    return name == "unknown key" ? "" : name;
}

std::map<std::string, int32_t> KeyTable() {
    std::map<std::string, int32_t> table;
    for (int32_t symbol = 0; symbol < SDLK_LAST; ++symbol) {
        std::string name = SdlKeyName(symbol);
        if (!name.empty()) table.emplace(name, symbol);
    }
    return table;
}
#endif

struct Replay {
    std::vector<MovieEvent> events;
    size_t next = 0;
    bool active = false;
};

Replay& TheReplay() {
    static Replay replay;
    return replay;
}

struct Recorder {
    FILE* file = nullptr;
    std::string path;
    std::string error;  // why the recording stopped early
    std::function<long()> currentStep;
};

Recorder& TheRecorder() {
    static Recorder recorder;
    return recorder;
}

// Reads the whole file, refusing one too large to be a movie (a mistaken
// path) before it fills the memory.
bool ReadMovieText(const std::string& path, std::string& text, std::string& error) {
    std::vector<unsigned char> bytes;
    if (!ReadWholeFile(path, kMaxMovieBytes, bytes, error)) {
        error = "cannot read the movie: " + error;
        return false;
    }
    text.assign(bytes.begin(), bytes.end());
    return true;
}

// Flushed at once, so that a session that crashes keeps its movie and a
// full disk is known at the line it refused.
bool WriteMovieLine(FILE* file, const std::string& line) {
    return fprintf(file, "%s\n", line.c_str()) >= 0 && fflush(file) == 0;
}

std::string WriteError(const std::string& path) {
    return "cannot write the movie file " + path + ": " + strerror(errno);
}

// A line that cannot be written ends the recording, said at once and again
// when it stops.
void RecordTakenEvent(const SDL_Event& event) {
    Recorder& recorder = TheRecorder();
    MovieEvent taken;
    if (!recorder.file || !DescribeTakenEvent(event, recorder.currentStep(), taken)) return;
    if (WriteMovieLine(recorder.file, MovieLine(taken, SdlKeyNames()))) return;
    recorder.error = WriteError(recorder.path);
    PrintStatus("Recording stopped: %s", recorder.error.c_str());
    fclose(recorder.file);
    recorder.file = nullptr;
}
}

const KeyNames& SdlKeyNames() {
    static const KeyNames names = KeyNamesFromTable(KeyTable(), SDLK_LAST);
    return names;
}

bool PushMovieEvent(const MovieEvent& movieEvent) {
    SDL_Event event;
    memset(&event, 0, sizeof event);
    bool down = movieEvent.kind == MovieEventKind::KeyDown || movieEvent.kind == MovieEventKind::ButtonDown;
    switch (movieEvent.kind) {
    case MovieEventKind::KeyDown:
    case MovieEventKind::KeyUp:
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = SDLKey(movieEvent.value);
        break;
    case MovieEventKind::Hat:
        event.type = SDL_JOYHATMOTION;
        event.jhat.value = Uint8(movieEvent.value);
        break;
    case MovieEventKind::ButtonDown:
    case MovieEventKind::ButtonUp:
        event.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
        event.jbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.jbutton.button = Uint8(movieEvent.value);
        break;
    }
    return PutInputEvent(event);
}

bool DescribeTakenEvent(const SDL_Event& event, long step, MovieEvent& out) {
    out.step = step;
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        out.kind = event.type == SDL_KEYDOWN ? MovieEventKind::KeyDown : MovieEventKind::KeyUp;
        out.value = event.key.keysym.sym;
        return true;
    case SDL_JOYHATMOTION:
        out.kind = MovieEventKind::Hat;
        out.value = event.jhat.value;
        return !HatName(out.value).empty();
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        out.kind = event.type == SDL_JOYBUTTONDOWN ? MovieEventKind::ButtonDown : MovieEventKind::ButtonUp;
        out.value = event.jbutton.button;
        return true;
    }
    return false;
}

bool DiscardLiveInput() {
    bool escape = false;
    SDL_Event event;
    while (TakeInputEvent(event)) escape = escape || (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE);
    return escape;
}

bool LoadReplay(const std::string& path, std::string& error) {
    std::string text;
    if (!ReadMovieText(path, text, error)) {
        error = path + ":0: " + error;
        return false;
    }
    Replay& replay = TheReplay();
    MovieError failure;
    if (!ParseMovie(text, SdlKeyNames(), replay.events, failure)) {
        error = path + ":" + std::to_string(failure.line) + ": " + failure.message;
        return false;
    }
    replay.next = 0;
    replay.active = true;
    return true;
}

bool QueueReplayedEvents(long step) {
    Replay& replay = TheReplay();
    if (!replay.active) return true;
    bool escape = DiscardLiveInput();
    for (; replay.next < replay.events.size() && replay.events[replay.next].step <= step; ++replay.next) {
        const MovieEvent& event = replay.events[replay.next];
        if (event.step == step && !PushMovieEvent(event))
            PrintStatus("Replay: SDL's event queue is full, an event of step %ld is lost", step);
    }
    return !escape;
}

bool StartRecording(const std::string& path, std::function<long()> currentStep, std::string& error) {
    StopRecording(error);
    Recorder& recorder = TheRecorder();
    recorder.file = fopen(path.c_str(), "w");
    if (!recorder.file || !WriteMovieLine(recorder.file, kMovieHeader)) {
        error = WriteError(path);
        if (recorder.file) fclose(recorder.file);
        recorder.file = nullptr;
        return false;
    }
    recorder.path = path;
    recorder.error.clear();
    recorder.currentStep = std::move(currentStep);
    TheInput().onEventTaken = RecordTakenEvent;
    return true;
}

bool StopRecording(std::string& error) {
    Recorder& recorder = TheRecorder();
    TheInput().onEventTaken = nullptr;
    if (recorder.file && fclose(recorder.file) != 0 && recorder.error.empty())
        recorder.error = WriteError(recorder.path);
    recorder.file = nullptr;
    error = recorder.error;
    recorder.error.clear();
    return error.empty();
}
