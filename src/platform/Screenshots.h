#pragma once
#include <string>

// Screenshots taken with F12: numbered PNG files in the player's data folder.

// $XDG_DATA_HOME/duskhold/screenshots, or ~/.local/share/duskhold/screenshots
// when XDG_DATA_HOME is unset or not an absolute path; "" when there is no
// home directory either.
std::string ScreenshotDir();

// Creates `dir` and its parents when missing and gives the path of the next
// numbered file in it (shot-0001.png, shot-0002.png, ...), one above the
// highest number already there; false with a reason when the folder cannot
// be made.
bool NextScreenshotPath(const std::string& dir, std::string& path, std::string& error);

// Asks for the picture of the next draw.
void RequestScreenshot();
bool ScreenshotRequested();
// Called after a draw, before the swap: writes the requested picture, if any,
// and prints a status line saying where it went (or why it failed).
void TakeRequestedScreenshot();
