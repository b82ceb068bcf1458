#include "routewindow/Replays.h"
#include <fcntl.h>
#include <fstream>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

namespace {
struct Running {
    Replay replay;
    std::string movie, trace;
};

std::vector<std::string> Lines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

// The game on the replay's movie, its output thrown away, its sound on a
// silent device and its picture on SDL's offscreen one: a replay is never
// seen, and a window on a display server costs each start a third more
// time; the child's id, or -1.
pid_t Start(const GameRun& run, const Replay& replay, const std::string& movie, const std::string& trace) {
    std::ofstream(movie) << replay.movie;
    std::vector<std::string> args = {run.game,   "--fast",  "--unseen",
                                     "--window", "320x240", "--level",
                                     run.level,  "--steps", std::to_string(replay.steps),
                                     "--trace",  trace,     "--replay",
                                     movie};
    if (!run.data.empty()) args.insert(args.end(), {"--data", run.data});
    pid_t pid = fork();
    if (pid != 0) return pid;
    int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}
}

void RunReplays(const GameRun& run, int jobs, const std::function<bool(Replay&)>& next,
                const std::function<void(const Replay&, const std::vector<std::string>&)>& ended) {
    std::map<pid_t, Running> running;
    for (size_t started = 0;;) {
        Replay replay;
        while (int(running.size()) < jobs && next(replay)) {
            const std::string base = run.workDir + "/" + std::to_string(started++);
            Running job{replay, base + ".movie", base + ".jsonl"};
            pid_t pid = Start(run, replay, job.movie, job.trace);
            if (pid < 0) ended(replay, {});
            else running.emplace(pid, job);
        }
        if (running.empty()) return;
        int status = 0;
        pid_t pid = wait(&status);
        auto job = running.find(pid);
        if (job == running.end()) continue;
        const bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        ended(job->second.replay, ok ? Lines(job->second.trace) : std::vector<std::string>());
        unlink(job->second.trace.c_str());
        unlink(job->second.movie.c_str());
        running.erase(job);
    }
}
