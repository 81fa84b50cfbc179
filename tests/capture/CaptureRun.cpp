// CaptureRun: the tool behind popen, or forked with its output in a file.
#include "tests/capture/CaptureRun.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace {

int statusOf(int waitStatus) {
    if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus)) return 128 + WTERMSIG(waitStatus);
    return -1;
}

}  // namespace

ToolRun runCapture(const std::string& arguments, const std::string& shellBefore) {
    ToolRun run;
    const std::string command =
        shellBefore + (shellBefore.empty() ? "" : "; ") + "exec " + CAPTURE_TOOL + " " + arguments;
    std::FILE* pipe = popen(("(" + command + ") 2>&1").c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.output.append(buffer, got);
    run.status = statusOf(pclose(pipe));
    return run;
}

RunningCapture::RunningCapture(const std::string& arguments) : logPath("capture.log") {
    pid = fork();
    if (pid == 0) {
        const std::string command = std::string("exec ") + CAPTURE_TOOL + " " + arguments +
                                    " >" + logPath + " 2>&1";
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
}

RunningCapture::~RunningCapture() {
    if (pid > 0 && !ended) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

std::string RunningCapture::log() const { return fileBytes(logPath); }

bool RunningCapture::waitFor(const std::string& text, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        if (log().find(text) != std::string::npos) return true;
        if (!ended && waitpid(pid, &endStatus, WNOHANG) == pid) ended = true;
        if (ended) return log().find(text) != std::string::npos;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

void RunningCapture::signal(int number) {
    if (!ended) kill(pid, number);
}

ToolRun RunningCapture::finish() {
    ToolRun run;
    if (!ended && waitpid(pid, &endStatus, 0) == pid) ended = true;
    if (ended) run.status = statusOf(endStatus);
    pid = -1;
    run.output = log();
    return run;
}

std::string fileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
