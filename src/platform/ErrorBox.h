#pragma once

// Reports a failure to the user: the message (cut to 16384 bytes) goes to
// standard error and the console, and a modal box captioned "Duskhold Error"
// is shown through the desktop's dialog tool when dialogs are allowed.
void ShowError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Dialogs are off without a display, in a --fast run, or when the environment
// variable DUSKHOLD_NO_DIALOG is set.
void SetErrorDialogsAllowed(bool allowed);
bool ErrorDialogsAllowed();

// Every message shown since start (tests and the trace read it).
int ErrorCount();
