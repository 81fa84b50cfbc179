// Runs the launcher alone and prints what it decided, so the end-to-end
// scripts can check the choice itself, not only the window that follows.
#include <cstdio>

#include "shell/Launcher.h"

int main() {
    if (!initLauncherToolkit()) {
        std::fprintf(stderr, "launcher_driver: cannot open a display\n");
        return 2;
    }
    const bool ok = runLauncher();
    // After the launcher is gone, none of its windows may remain mapped.
    std::printf("%s\n", ok ? (launcherFullscreen ? "ok fullscreen" : "ok windowed") : "cancelled");
    std::fflush(stdout);
    return 0;
}
