// CaptureRun: velmora-capture started as a user starts it, from the test's
// working directory (the entered fixture folder): run to its end with its
// output collected, or left running to be sent a signal.
#pragma once

#include <sys/types.h>

#include <string>

struct ToolRun {
    int status = -1;     // the exit status; 128 + n when signal n ended it
    std::string output;  // stdout and stderr
};

// Runs `velmora-capture <arguments>` through the shell; `shellBefore` is
// run first in the same shell (e.g. a ulimit).
ToolRun runCapture(const std::string& arguments, const std::string& shellBefore = "");

// The tool running in the background, its output going to a file.
class RunningCapture {
public:
    explicit RunningCapture(const std::string& arguments);
    ~RunningCapture();
    RunningCapture(const RunningCapture&) = delete;
    RunningCapture& operator=(const RunningCapture&) = delete;

    // Waits until the output holds `text` (true) or the tool ended (false).
    bool waitFor(const std::string& text, double seconds);
    void signal(int number);
    // Waits for the end and returns how it ended.
    ToolRun finish();

private:
    pid_t pid = -1;
    bool ended = false;
    int endStatus = 0;
    std::string logPath;
    std::string log() const;
};

// A whole file's bytes.
std::string fileBytes(const std::string& path);
