// The entry point: the launcher, then the one Demo object and the idle loop
// that renders it until the music reaches the end or the player quits. Every
// path returns 0; failures are reported in a box captioned "ERROR".
#include <SDL.h>

#include <cstdio>

#include "demo/Demo.h"
#include "shell/CError.h"
#include "shell/GLWindow.h"
#include "shell/Launcher.h"
#include "shell/MessageBox.h"
#include "shell/MessageLoop.h"
#include "shell/QuitRequest.h"
#include "shell/Usage.h"

namespace {

// After a signal the run ends without a box; a box already up is taken down.
template <typename ShowBox>
void showBoxUnlessQuit(ShowBox showBox) {
    if (quitRequested()) return;
    QuitEndsBoxes boxEndsOnQuit;
    showBox();
}

// The entry point's own last resort: a plain box, unlike the warning boxes
// every other failure gets.
void showUnknownError() {
    std::fprintf(stderr, "velmora: Unknown error\n");
    showBoxUnlessQuit([] { showPlainBox("Unknown error"); });
}

void presentError(const std::string& text, SDL_Window* owner) {
    showBoxUnlessQuit([&] { showWarningBox(text, owner); });
}

}  // namespace

// The module instance handle, where the platform has one, is stored by the
// launcher's toolkit start. SDL's entry on Windows calls main with the
// arguments.
int main(int argc, char** argv) {
    // Answered before anything opens; the demo takes no other options.
    if (answeredHelpOrVersion(argc, argv)) return 0;
    // Before SDL starts, so that SIGINT and SIGTERM end the launcher, the
    // pause and the loop alike, through the normal way out.
    QuitSignals signals;
    // The one place the program chooses how failures reach the screen.
    installErrorPresenter(presentError);
    // Without a display the launcher cannot be made, which ends the run like
    // Cancel does.
    if (!initLauncherToolkit()) {
        std::fprintf(stderr, "velmora: cannot open a display\n");
        return 0;
    }

    try {
        if (!runLauncher() || quitRequested()) return 0;
        {
            Demo demo("Orvak 2002 - Velmora", 640, 480, 32, launcherFullscreen, windowProc);
            SDL_Delay(100);
            MessageLoop loop(demo, windowProc);
            loop.run();
#ifdef VELMORA_RUN_REPORT
            // Test builds tell the end-to-end runs how many frames a run drew.
            std::printf("frames %ld\n", loop.idleFrames);
#endif
        }
        SDL_ShowCursor(SDL_ENABLE);
    } catch (const CError& error) {
        error.show(nullptr);
    } catch (...) {
        showUnknownError();
    }
    return 0;
}
