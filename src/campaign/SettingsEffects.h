#pragma once
#include "campaign/Settings.h"

// What the settings do to the running game, each applied at once.

// The mixer's loudness for a volume step of 0 to 10: the square of the
// step's share, so that each step sounds about as far from the next.
float VolumeGain(int32_t step);
void ApplySoundSettings(const SettingValues& values);
// The assists of play stages (ThePlayAssists).
void ApplyAssistSettings(const SettingValues& values);
// The collision outlines and the console.
void ApplyOverlaySettings(const SettingValues& values);
// Both drawn, as the engine draws them (a run by its rules, a stage without
// play data): once a run, for that run only (the settings file keeps the
// player's own), so that F2 and F3 may hide them again.
void ShowOverlaysAsEngine();
// F2 and F3 flip the outlines and the console as OPTIONS does, and the
// choice is kept as an OPTIONS change is.
void ToggleOverlays(uint32_t commands);

// The window the settings ask for on a desktop of the given size: the
// desktop itself when full screen, else 320x240 times the window size, "fit"
// being the largest whole scale that fits the desktop.
struct WindowMode {
    int width = 0;
    int height = 0;
    bool fullscreen = false;
};
WindowMode WindowModeFor(const SettingValues& values, int desktopWidth, int desktopHeight);
// Gives the open window the size and full-screen state of the settings.
void ApplyWindowSettings(const SettingValues& values);
