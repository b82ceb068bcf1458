#pragma once
#include <string>

// What the web page does for the game; nothing on the desktop.

// Copies the player's files from memory to the browser's storage, so that
// they outlive the page.
void KeepPlayerFiles();
// Offers a file the game wrote as a download.
void OfferDownload(const std::string& path);
