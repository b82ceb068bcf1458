#pragma once

union SDL_Event;

// The key and joystick events between the window's poll and the input's
// step, in order. The desktop's SDL keeps them in its own queue; the
// browser's SDL can only take events from its queue, so there they wait in
// a queue of ours that holds as many.

// Adds an event at the end; false when the queue is full.
bool PutInputEvent(const SDL_Event& event);
// Takes the first input event; false when there is none.
bool TakeInputEvent(SDL_Event& event);
