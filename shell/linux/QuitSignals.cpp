// Quit requests on Linux: SIGINT and SIGTERM set the quit flag, and a box is
// taken down by ending the child process SDL shows it from. A watchdog makes
// sure a signal ends the program even when the main thread never gets back to
// the flag: past a grace period it undoes the display mode and exits at once.
#include "shell/QuitRequest.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "shell/ForcedExit.h"

namespace {

// The normal way out takes well under a second from any state the program
// looks at the flag in; the whole forced path must fit into two.
constexpr int graceMilliseconds = 1500;
constexpr std::chrono::milliseconds undoLimit{300};

// Bytes on the watchdog's pipe: a signal came, or the program is leaving.
constexpr char signalled = 's';
constexpr char leaving = 'l';

std::atomic<int> watchdogPipe{-1};  // write end, for the handler

extern "C" void onQuitSignal(int) {
    const int savedErrno = errno;
    requestQuit();
    const int pipeEnd = watchdogPipe.load();
    if (pipeEnd >= 0) {
        const char byte = signalled;
        [[maybe_unused]] const ssize_t written = write(pipeEnd, &byte, 1);
    }
    errno = savedErrno;
}

// A second signal of the same kind takes its default action, so a run that
// hangs can still be stopped.
void install(int signalNumber, struct sigaction& previous) {
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(signalNumber, &action, &previous);
}

// The next byte on the pipe within `timeoutMs` (-1: no limit), or 0.
char nextByte(int pipeEnd, int timeoutMs) {
    pollfd wait{pipeEnd, POLLIN, 0};
    for (;;) {
        const int ready = poll(&wait, 1, timeoutMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return 0;
        char byte = 0;
        const ssize_t got = read(pipeEnd, &byte, 1);
        if (got < 0 && errno == EINTR) continue;
        return got == 1 ? byte : leaving;
    }
}

void watch(int pipeEnd) {
    if (nextByte(pipeEnd, -1) != signalled) return;
    for (const auto deadline = std::chrono::steady_clock::now() +
                               std::chrono::milliseconds(graceMilliseconds);;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        // A second signal before the first is dealt with changes nothing.
        const char byte = nextByte(pipeEnd, static_cast<int>(left.count()));
        if (byte == leaving) return;
    }
    std::fprintf(stderr, "velmora: still busy %d ms after the quit request; ending now\n",
                 graceMilliseconds);
    undoBeforeForcedExit(undoLimit);
    // A box's process would outlive this one on the screen.
    takeDownBoxes();
    // Every way the demo ends returns 0; nothing else here may run on the
    // way out, as the main thread is in an unknown state.
    _exit(0);
}

// The parent process id in /proc/<pid>/stat: the field after the state, which
// follows the command name's closing parenthesis.
pid_t parentOf(const std::filesystem::path& statFile) {
    std::ifstream stat(statFile);
    std::string line;
    if (!std::getline(stat, line)) return 0;
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos || close + 4 >= line.size()) return 0;
    return static_cast<pid_t>(std::atol(line.c_str() + close + 4));
}

}  // namespace

// What is put back when the program no longer listens, and the watchdog
// that listens meanwhile.
struct QuitSignals::Previous {
    struct sigaction interrupt {};
    struct sigaction terminate {};
    int pipeEnds[2] = {-1, -1};
    std::thread watchdog;
};

// SDL leaves handlers it finds alone, so these take the place of its own.
QuitSignals::QuitSignals() : previous(std::make_unique<Previous>()) {
    if (pipe2(previous->pipeEnds, O_CLOEXEC) == 0) {
        // Running before any fork: SDL shows its boxes from a child, and a
        // thread half-started at a fork could leave the child a held lock.
        std::atomic<bool> running{false};
        previous->watchdog = std::thread([&running, pipeEnd = previous->pipeEnds[0]] {
            running.store(true);
            watch(pipeEnd);
        });
        while (!running.load()) std::this_thread::yield();
        watchdogPipe.store(previous->pipeEnds[1]);
    }
    install(SIGINT, previous->interrupt);
    install(SIGTERM, previous->terminate);
}

QuitSignals::~QuitSignals() {
    sigaction(SIGINT, &previous->interrupt, nullptr);
    sigaction(SIGTERM, &previous->terminate, nullptr);
    if (previous->watchdog.joinable()) {
        watchdogPipe.store(-1);
        const char byte = leaving;
        [[maybe_unused]] const ssize_t written = write(previous->pipeEnds[1], &byte, 1);
        previous->watchdog.join();
    }
    for (const int end : previous->pipeEnds) {
        if (end >= 0) close(end);
    }
}

// SDL shows its "ERROR" box from a forked child and waits for it.
void takeDownBoxes() {
    const pid_t self = getpid();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        // The box process carries these same handlers, so only SIGKILL ends it.
        if (parentOf(entry.path() / "stat") == self) kill(static_cast<pid_t>(std::stol(name)), SIGKILL);
    }
}
