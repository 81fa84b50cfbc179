// ForcedExit: the one step undone before a forced exit, run on a thread that
// is left behind if it does not finish in time.
#include "shell/ForcedExit.h"

#include <atomic>
#include <memory>
#include <thread>

namespace {

std::atomic<void (*)()> registeredUndo{nullptr};

}  // namespace

void setForcedExitUndo(void (*undo)()) { registeredUndo.store(undo); }

void undoBeforeForcedExit(std::chrono::milliseconds limit) {
    void (*undo)() = registeredUndo.load();
    if (undo == nullptr) return;
    // Shared, so that a step still running when the wait gives up writes
    // to memory that is still there.
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread([undo, done] {
        undo();
        done->store(true);
    }).detach();
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done->load() && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}
