#include "platform/ErrorBox.h"
#include "base/Log.h"
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {
bool gDialogsAllowed = true;
int gErrorCount = 0;

bool ToolExists(const char* name) {
    std::string command = std::string("command -v ") + name + " >/dev/null 2>&1";
    return system(command.c_str()) == 0;
}

// Runs a dialog tool with the message as one argument (never through a shell,
// so the text cannot be taken as a command) and waits until it is closed.
void RunDialog(const char* const* argv) {
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[0], const_cast<char* const*>(argv));
        _exit(127);
    }
    if (pid > 0) {
        int status = 0;
        waitpid(pid, &status, 0);
    }
}

void ShowDialog(const char* text) {
    if (ToolExists("zenity")) {
        const char* argv[] = {"zenity", "--error", "--title=Duskhold Error", "--no-markup", "--text", text, nullptr};
        RunDialog(argv);
    } else if (ToolExists("kdialog")) {
        const char* argv[] = {"kdialog", "--title", "Duskhold Error", "--error", text, nullptr};
        RunDialog(argv);
    } else if (ToolExists("xmessage")) {
        const char* argv[] = {"xmessage", "-center", "-title", "Duskhold Error", "-buttons", "OK", text, nullptr};
        RunDialog(argv);
    }
}
}

void SetErrorDialogsAllowed(bool allowed) { gDialogsAllowed = allowed; }

bool ErrorDialogsAllowed() {
    const char* display = getenv("DISPLAY");
    return gDialogsAllowed && display && *display && !getenv("DUSKHOLD_NO_DIALOG");
}

int ErrorCount() { return gErrorCount; }

void ShowError(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatMessage(format, args);
    va_end(args);
    ++gErrorCount;
    fprintf(stderr, "%s\n", text.c_str());
    fflush(stderr);
    ForwardToSink(text);
    if (ErrorDialogsAllowed()) ShowDialog(text.c_str());
}
