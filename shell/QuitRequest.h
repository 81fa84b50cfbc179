// QuitRequest: a quit that does not travel through SDL's event queue — SIGINT
// or SIGTERM, or a quit the queue refused. The launcher, the pause after the
// window opens and the message loop all look here, so a signal ends whichever
// of them is running, and the run still ends the normal way with status 0.
#pragma once

#include <atomic>
#include <signal.h>
#include <thread>

// True once a signal arrived or requestQuit() was called.
bool quitRequested();
void requestQuit();
// Forgets the request, for a second run in the same process (the tests).
void forgetQuitRequest();

// Routes SIGINT and SIGTERM to quitRequested() for as long as it lives. A
// second signal of the same kind takes its default action, so a run that
// hangs can still be stopped. SDL leaves handlers it finds alone; installed
// before SDL starts, these take the place of SDL's own quit-on-signal.
class QuitSignals {
public:
    QuitSignals();
    ~QuitSignals();  // puts the previous handlers back
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

private:
    struct sigaction previousInterrupt {};
    struct sigaction previousTerminate {};
};

// While it lives, a quit request kills this process's child processes: SDL
// shows its "ERROR" box from a forked child and waits for it, so a signal
// would otherwise wait for a click on the box.
class QuitEndsChildProcesses {
public:
    QuitEndsChildProcesses();
    ~QuitEndsChildProcesses();
    QuitEndsChildProcesses(const QuitEndsChildProcesses&) = delete;
    QuitEndsChildProcesses& operator=(const QuitEndsChildProcesses&) = delete;

private:
    std::atomic<bool> done{false};
    std::atomic<bool> watching{false};
    std::thread watcher;
};
