#include "platform/EventQueue.h"
#include "platform/Input.h"
#include <SDL.h>

#ifdef __EMSCRIPTEN__
#include <deque>

namespace {
// As many events as the desktop's queue holds.
constexpr size_t kCapacity = 127;

std::deque<SDL_Event>& Queue() {
    static std::deque<SDL_Event> queue;
    return queue;
}

// Events the page delivered that the window's poll has not seen yet.
bool TakeFromSdl(SDL_Event& event) {
    return SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_KEYDOWN, SDL_KEYUP) > 0 ||
           SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_JOYHATMOTION, SDL_JOYBUTTONUP) > 0;
}
}

bool PutInputEvent(const SDL_Event& event) {
    if (Queue().size() >= kCapacity) return false;
    Queue().push_back(event);
    return true;
}

bool TakeInputEvent(SDL_Event& event) {
    if (Queue().empty()) return TakeFromSdl(event);
    event = Queue().front();
    Queue().pop_front();
    return true;
}
#else
const uint32_t kInputEventMask =
    SDL_KEYDOWNMASK | SDL_KEYUPMASK | SDL_JOYHATMOTIONMASK | SDL_JOYBUTTONDOWNMASK | SDL_JOYBUTTONUPMASK;

bool PutInputEvent(const SDL_Event& event) {
    SDL_Event copy = event;
    return SDL_PeepEvents(&copy, 1, SDL_ADDEVENT, 0) == 1;
}

bool TakeInputEvent(SDL_Event& event) { return SDL_PeepEvents(&event, 1, SDL_GETEVENT, kInputEventMask) > 0; }
#endif
