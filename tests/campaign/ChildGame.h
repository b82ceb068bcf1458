#pragma once
// A game of its own in a child process, for the tests of saves and settings
// that several games make at once: its steps run one at a time, each when the
// test asks, so that the games' turns come in the order the test chooses.
#include "base/Log.h"
#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

class ChildGame {
public:
    // The player's folders are `home` (XDG_DATA_HOME and XDG_CONFIG_HOME).
    ChildGame(const std::string& home, std::vector<std::function<void()>> steps) {
        signal(SIGPIPE, SIG_IGN);  // a game that ended is seen in Next()
        if (pipe(go_) != 0 || pipe(done_) != 0) return;
        pid_ = fork();
        if (pid_ != 0) {
            close(go_[0]);
            close(done_[1]);
            return;
        }
        prctl(PR_SET_PDEATHSIG, SIGKILL);  // a test that hangs and is ended takes its games along
        alarm(60);                         // a step that waits for ever ends the game
        setenv("XDG_DATA_HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", home.c_str(), 1);
        std::string said;
        SetLogSink([&said](const std::string& line) { said += line + "\n"; });
        char note;
        for (const std::function<void()>& step : steps) {
            if (read(go_[0], &note, 1) != 1) break;
            said.clear();
            step();
            const uint32_t size = uint32_t(said.size());
            if (write(done_[1], &size, 4) != 4 || write(done_[1], said.data(), size) != ssize_t(size)) break;
        }
        _exit(0);
    }
    ~ChildGame() {
        close(go_[1]);
        close(done_[0]);
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
    }
    ChildGame(const ChildGame&) = delete;
    ChildGame& operator=(const ChildGame&) = delete;

    // Runs the game's next step; the status lines it printed, one a line, or
    // "(ended)" when it ended first.
    std::string Next() {
        uint32_t size = 0;
        if (write(go_[1], "g", 1) != 1 || ReadAll(&size, 4) != 4) return "(ended)";
        std::string said(size, '\0');
        return ReadAll(said.data(), size) == ssize_t(size) ? said : "(ended)";
    }
    // Runs every step left; what they printed.
    std::string Rest() {
        std::string said;
        for (std::string step = Next(); step != "(ended)"; step = Next()) said += step;
        return said;
    }

private:
    ssize_t ReadAll(void* data, size_t size) {
        size_t got = 0;
        while (got < size) {
            const ssize_t n = read(done_[0], static_cast<char*>(data) + got, size - got);
            if (n <= 0) return ssize_t(got);
            got += size_t(n);
        }
        return ssize_t(got);
    }
    int go_[2] = {-1, -1};
    int done_[2] = {-1, -1};
    pid_t pid_ = -1;
};
