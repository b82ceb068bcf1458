#include "ChildProcess.h"
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

double MonotonicMs() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

pid_t StartChild(const std::vector<std::string>& argv, const std::string& logPath) {
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = fork();
    if (pid != 0) return pid;
    int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (log >= 0) {
        dup2(log, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
        close(log);
    }
    execv(args[0], args.data());
    perror(args[0]);
    _exit(127);
}

int WaitChild(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double ChildCpuSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(in, line)) return -1.0;
    // The command name in parentheses may hold blanks; the fields after it
    // are numbered from 3 (state), so utime and stime are the 12th and 13th.
    size_t close = line.rfind(')');
    if (close == std::string::npos) return -1.0;
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    for (int i = 0; i < 11; ++i) fields >> field;
    long long user = 0, system = 0;
    if (!(fields >> user >> system)) return -1.0;
    return double(user + system) / double(sysconf(_SC_CLK_TCK));
}

bool RunChild(const std::vector<std::string>& argv, const std::string& logPath) {
    pid_t pid = StartChild(argv, logPath);
    if (pid > 0 && WaitChild(pid) == 0) return true;
    std::ostringstream log;
    log << std::ifstream(logPath).rdbuf();
    std::cerr << argv[0] << " failed; its output:\n" << log.str();
    return false;
}
