// MessageLoop: polls SDL events for the window procedure and renders a frame
// on every turn that finds the queue empty.
#include "shell/MessageLoop.h"

#include "shell/QuitRequest.h"

MessageLoop::MessageLoop(GLApplication& application, WindowProcedure windowProcedure)
    : application(application), windowProcedure(windowProcedure) {}

void MessageLoop::run() {
    // SDL normally hides events posted while the queue is being worked
    // through until the next poll cycle; that would let a frame render
    // between Escape and the quit it posts, after the context is gone.
    SDL_SetHint(SDL_HINT_POLL_SENTINEL, "0");
    for (;;) {
        SDL_Event event;
        if (quitRequested()) {
            // A signal, or a quit the queue refused: handled like the quit
            // event it stands for.
            event = SDL_Event{};
            event.type = SDL_QUIT;
            windowProcedure(event);
            return;
        }
        if (SDL_PollEvent(&event) != 0) {
            // The quit event still reaches the procedure, which lets go of
            // the GL context on it (a quit from the system, not from us).
            windowProcedure(event);
            if (event.type == SDL_QUIT) return;
            continue;
        }
        ++idleFrames;
        if (application.renderFrame()) return;
    }
}
