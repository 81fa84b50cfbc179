// Subprocess: runs one of the benchmark's helper programs (or the demo itself)
// and collects what a measurement needs from it: its output, its exit status,
// its wall and CPU time and its peak resident set.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct ChildResult {
    int status = -1;  // exit status, or 128 + signal
    std::string output;
    double wallSeconds = 0.0;
    double cpuSeconds = 0.0;  // user + system
    // No peak resident set here: a spawned child's figure starts from the
    // spawning process's own peak, so the probe reads it inside the child.
};

class Subprocess {
public:
    // Starts `argv` with `environment` added to this process's own; its
    // standard output is read through a pipe. Throws std::runtime_error.
    Subprocess(const std::vector<std::string>& argv,
               const std::vector<std::string>& environment = {});
    ~Subprocess();  // kills and reaps a child still running
    Subprocess(const Subprocess&) = delete;
    Subprocess& operator=(const Subprocess&) = delete;

    pid_t pid() const { return child; }
    // Reads its output to the end and reaps it.
    ChildResult wait();
    // Ends it with SIGTERM (it is ours), then waits.
    ChildResult stop();

private:
    pid_t child = -1;
    int outputFd = -1;
    double startedAt = 0.0;
};

// Monotonic seconds, comparable between processes of this machine.
double monotonicSeconds();
