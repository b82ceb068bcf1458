#pragma once
#include <cstdint>
#include <string>

// SDL start-up and the window's event queue, behind narrow functions.
bool StartSdl();
void StopSdl();
// The desktop's size when SDL started; the sizes stay as they were when it is unknown.
void DesktopSize(int& width, int& height);
void SetWindowCaption(const char* caption);
uint32_t Ticks();
void SleepMs(uint32_t ms);
// Whether SleepMs wakes up milliseconds late (a browser's timers do).
bool SleepsWakeLate();

// What one pass of the frame loop did with the event it took.
enum class WindowEvent {
    None,        // the queue was empty
    Quit,        // Escape pressed where it ends the program, or the window closed
    Resize,      // the window changed size (width and height are given)
    Expose,      // the window's contents must be drawn again
    Handled,     // a key or joystick event went back to the queue, or was dropped
    Screenshot,  // F12 pressed; F12 never reaches the input
};

// Takes at most one event. Key and joystick events go back to the tail of
// the queue, where the input takes them at the next step; when live input is
// ignored (a movie is replayed) they are dropped instead, except Escape.
WindowEvent PollOneWindowEvent(bool ignoreLiveInput, int& width, int& height);
// Escape ends the program unless the screen shown takes it (a play stage
// pauses on it): then it goes to the input as any key does. While a movie
// is replayed, a live Escape still ends the program.
void SetEscapeEndsProgram(bool ends);

// Writes what the viewport shows to a PNG file; false with a reason on failure.
bool WriteViewportPng(const std::string& path, std::string& error);
