// Quit requests on Linux: SIGINT and SIGTERM set the quit flag, and a box is
// taken down by ending the child process SDL shows it from.
#include "shell/QuitRequest.h"

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

struct QuitSignals::Previous {
    struct sigaction interrupt {};
    struct sigaction terminate {};
};

namespace {

extern "C" void onQuitSignal(int) { requestQuit(); }

// A second signal of the same kind takes its default action, so a run that
// hangs can still be stopped.
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

}  // namespace

// SDL leaves handlers it finds alone, so these take the place of its own.
QuitSignals::QuitSignals() : previous(std::make_unique<Previous>()) {
    install(SIGINT, previous->interrupt);
    install(SIGTERM, previous->terminate);
}

QuitSignals::~QuitSignals() {
    sigaction(SIGINT, &previous->interrupt, nullptr);
    sigaction(SIGTERM, &previous->terminate, nullptr);
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
