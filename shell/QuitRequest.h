// QuitRequest: a quit that does not travel through SDL's event queue — the
// system asking the program to end (SIGINT or SIGTERM on Linux), or a quit the
// queue refused. The launcher, the pause after the window opens and the
// message loop all look here, so a request ends whichever of them is running,
// and the run still ends the normal way with status 0.
#pragma once

#include <atomic>
#include <memory>
#include <thread>

// True once the system asked the program to quit or requestQuit() was called.
bool quitRequested();
void requestQuit();
// Forgets the request, for a second run in the same process (the tests).
void forgetQuitRequest();

// Routes the system's quit requests to quitRequested() for as long as it
// lives, and puts back what was there before when it goes. Installed before
// SDL starts, so that SDL's own quit-on-signal stays out of the way. How the
// system asks differs by platform (shell/<platform>/QuitSignals.cpp).
class QuitSignals {
public:
    QuitSignals();
    ~QuitSignals();
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

private:
    struct Previous;
    std::unique_ptr<Previous> previous;
};

// While it lives, a quit request takes down an "ERROR" box that is up: a box
// otherwise waits for a click, and the run would not end. How a box is taken
// down is the platform's (takeDownBoxes).
class QuitEndsBoxes {
public:
    QuitEndsBoxes();
    ~QuitEndsBoxes();
    QuitEndsBoxes(const QuitEndsBoxes&) = delete;
    QuitEndsBoxes& operator=(const QuitEndsBoxes&) = delete;

private:
    std::atomic<bool> done{false};
    std::atomic<bool> watching{false};
    std::thread watcher;
};

// Ends the boxes this process has up; called from the watcher's thread.
void takeDownBoxes();
