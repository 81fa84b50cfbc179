// ForcedExit: when the system asks the program to quit and the normal way out
// does not come in time (the main thread stuck in a driver or a blocking
// call), the platform's quit handling ends the process at once, status 0.
// Whatever must not outlive the process, the display mode a fullscreen run
// switched to, is undone first through the step registered here.
#pragma once

#include <chrono>

// `undo` runs on a thread of its own while the main thread is still stuck,
// so it may only touch what is safe from there; null forgets it.
void setForcedExitUndo(void (*undo)());

// Runs the registered step, waiting for it no longer than `limit`: a step
// that hangs on what the main thread holds must not keep the process alive.
void undoBeforeForcedExit(std::chrono::milliseconds limit);
