#pragma once
#include "base/Movie.h"
#include <functional>
#include <string>

union SDL_Event;

// Key names as SDL_GetKeyName spells them, and key numbers below SDLK_LAST.
const KeyNames& SdlKeyNames();

// Puts one movie event into SDL's queue as the real key, button or hat event
// of joystick 0; false when the queue is full.
bool PushMovieEvent(const MovieEvent& event);

// The movie event for a key, button or hat event the input took; false for
// anything a movie cannot hold.
bool DescribeTakenEvent(const SDL_Event& event, long step, MovieEvent& out);

// Takes the live key and joystick events out of SDL's queue while a movie
// plays; true when Escape was pressed among them.
bool DiscardLiveInput();

// The replayed movie, read before the window opens. Without a joystick its
// joystick events reach the controls bound for a common pad (joystick 0
// with one hat and 12 buttons). False with "FILE:LINE: message" in `error`.
bool LoadReplay(const std::string& path, std::string& error);
// At the start of a step: drops live input and queues the step's events.
// Returns false when Escape was pressed (the program should end).
bool QueueReplayedEvents(long step);

// Writes every event the input takes to a movie file, with the step that
// `currentStep` reports; false with the reason when the file cannot be made
// or its first line written. A line that cannot be written later (a full
// disk) stops the recording with a status line.
bool StartRecording(const std::string& path, std::function<long()> currentStep, std::string& error);
// False, with the reason, when the movie could not be written whole.
bool StopRecording(std::string& error);
