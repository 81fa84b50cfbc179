// QuitRequest: the process-wide quit flag, the signal handlers that set it,
// and the watcher that ends a box's child process on a quit.
#include "shell/QuitRequest.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// Written from a signal handler: it must be lock-free to be safe there.
std::atomic<bool> quitFlag{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the quit flag is set from a signal handler");

extern "C" void onQuitSignal(int) { quitFlag.store(true); }

void install(int signalNumber, struct sigaction& previous) {
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(signalNumber, &action, &previous);
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

void killChildren() {
    const pid_t self = getpid();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        // The box process carries these same handlers, so only SIGKILL ends it.
        if (parentOf(entry.path() / "stat") == self) kill(static_cast<pid_t>(std::stol(name)), SIGKILL);
    }
}

}  // namespace

bool quitRequested() { return quitFlag.load(); }

void requestQuit() { quitFlag.store(true); }

void forgetQuitRequest() { quitFlag.store(false); }

QuitSignals::QuitSignals() {
    install(SIGINT, previousInterrupt);
    install(SIGTERM, previousTerminate);
}

QuitSignals::~QuitSignals() {
    sigaction(SIGINT, &previousInterrupt, nullptr);
    sigaction(SIGTERM, &previousTerminate, nullptr);
}

QuitEndsChildProcesses::QuitEndsChildProcesses()
    : watcher([this] {
          watching.store(true);
          while (!done.load()) {
              if (quitRequested()) {
                  killChildren();
                  return;
              }
              std::this_thread::sleep_for(std::chrono::milliseconds(50));
          }
      }) {
    // The box comes from a fork. A thread caught half-started by the fork
    // may hold a lock of the allocator, which the child then waits on
    // forever: AddressSanitizer's allocator, unlike glibc's, is not made safe
    // across fork. Once running, the watcher only reads a flag and sleeps.
    while (!watching.load()) std::this_thread::yield();
}

QuitEndsChildProcesses::~QuitEndsChildProcesses() {
    done.store(true);
    watcher.join();
}
