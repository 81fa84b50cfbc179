// Subprocess: posix_spawn with a pipe for standard output, reaped with wait4
// for the child's own resource figures.
#include "tools/benchmark/Subprocess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <stdexcept>

extern char** environ;

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

Subprocess::Subprocess(const std::vector<std::string>& argv,
                       const std::vector<std::string>& environment) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
    std::vector<std::string> env = environment;
    for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeFds[1]);
    startedAt = monotonicSeconds();
    const int failed = posix_spawn(&child, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (failed != 0) {
        close(pipeFds[0]);
        child = -1;
        throw std::runtime_error("cannot start " + argv[0]);
    }
    outputFd = pipeFds[0];
}

Subprocess::~Subprocess() {
    if (child > 0) stop();
    if (outputFd >= 0) close(outputFd);
}

ChildResult Subprocess::wait() {
    ChildResult result;
    char buffer[4096];
    for (ssize_t n; (n = read(outputFd, buffer, sizeof buffer)) > 0;) result.output.append(buffer, n);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    child = -1;
    result.wallSeconds = monotonicSeconds() - startedAt;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                        static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    return result;
}

ChildResult Subprocess::stop() {
    if (child > 0) kill(child, SIGTERM);
    return wait();
}
