// QuitRequest: the process-wide quit flag and the watcher that takes a box
// down on a quit; the platform's files say how the system asks and how a box
// is ended.
#include "shell/QuitRequest.h"

#include <chrono>

namespace {

// Written from a signal handler: it must be lock-free to be safe there.
std::atomic<bool> quitFlag{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the quit flag is set from a signal handler");

}  // namespace

bool quitRequested() { return quitFlag.load(); }

void requestQuit() { quitFlag.store(true); }

void forgetQuitRequest() { quitFlag.store(false); }

QuitEndsBoxes::QuitEndsBoxes()
    : watcher([this] {
          watching.store(true);
          while (!done.load()) {
              if (quitRequested()) {
                  takeDownBoxes();
                  return;
              }
              std::this_thread::sleep_for(std::chrono::milliseconds(50));
          }
      }) {
    // A box may come from a fork. A thread caught half-started by the fork
    // may hold a lock of the allocator, which the child then waits on
    // forever: AddressSanitizer's allocator, unlike glibc's, is not made safe
    // across fork. Once running, the watcher only reads a flag and sleeps.
    while (!watching.load()) std::this_thread::yield();
}

QuitEndsBoxes::~QuitEndsBoxes() {
    done.store(true);
    watcher.join();
}
