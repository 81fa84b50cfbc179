// The browser build's entry points: the page (index.html) calls these from
// its launcher and its animation frames. Each run of the demo gets a fresh
// instance of the module, as each run on the desktop is a fresh process, so
// the scenes' never-reset counters start from zero every time. Failures go
// to the page's "ERROR" box, with the program's own texts.
#include <emscripten.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "shell/CError.h"
#include "shell/web/WebDemo.h"
#include "shell/web/WebStills.h"

namespace {

const char* const canvasSelector = "#screen";

std::unique_ptr<WebDemo> demo;
std::unique_ptr<WebStills> stills;
std::vector<DemoMark> marks;

EM_JS(void, velmora_show_error, (const char* text), { Module.showError(UTF8ToString(text)); });

void presentError(const std::string& text, SDL_Window*) { velmora_show_error(text.c_str()); }

// Runs `step`; a failure is reported like the desktop's entry point does
// and ends the run. False when it failed.
template <typename Step>
bool guarded(Step step) {
    try {
        step();
        return true;
    } catch (const CError& error) {
        error.show(nullptr);
    } catch (const std::exception& error) {
        showError(error.what(), nullptr);
    } catch (...) {
        showError("Unknown error", nullptr);
    }
    demo.reset();
    stills.reset();
    return false;
}

}  // namespace

extern "C" {

// Builds the demo on the canvas at the picture's size (640 x 461 windowed,
// 640 x 480 fullscreen); the page's AudioContext must exist. 1 when it runs.
EMSCRIPTEN_KEEPALIVE int velmoraStart(int width, int height) {
    installErrorPresenter(presentError);
    return guarded([&] { demo = std::make_unique<WebDemo>(canvasSelector, width, height); }) ? 1 : 0;
}

// One animation frame at the page's time (ms): 0 running, 1 over, 2 failed.
EMSCRIPTEN_KEEPALIVE int velmoraFrame(double nowMilliseconds) {
    if (!demo) return 1;
    bool over = false;
    if (!guarded([&] {
            over = demo->frame(nowMilliseconds / 1000.0);
            if (demo->canvasLost()) {
                throw CError("Error getting the window DC", "the browser took the WebGL context away");
            }
        })) {
        return 2;
    }
    return over ? 1 : 0;
}

// Ends the run (Escape, the end, or leaving the page): the music fades out.
EMSCRIPTEN_KEEPALIVE void velmoraEnd() {
    guarded([] { demo.reset(); });
}

// The row the picture on screen shows, order * 65536 + row; -1 without a run.
EMSCRIPTEN_KEEPALIVE int velmoraShownPosition() {
    if (!demo) return -1;
    const ModulePosition shown = demo->shown();
    return static_cast<int>(shown.order * 65536u + shown.row);
}

// The fixed-clock mode: places are added one by one, then the run begins.
EMSCRIPTEN_KEEPALIVE void velmoraStillAt(int order, int row, const char* text) {
    DemoMark mark;
    mark.byPosition = true;
    mark.order = static_cast<unsigned>(order);
    mark.row = static_cast<unsigned>(row);
    mark.text = text;
    marks.push_back(mark);
}

EMSCRIPTEN_KEEPALIVE int velmoraStillBegin(int fpsNumerator, int fpsDenominator, double fullSeconds) {
    installErrorPresenter(presentError);
    return guarded([&] {
               stills = std::make_unique<WebStills>(canvasSelector, marks,
                                                    FrameRate{fpsNumerator, fpsDenominator}, fullSeconds);
           })
               ? 1
               : 0;
}

// Runs for about `budgetMilliseconds`: 1 while stills are still to come, 0
// when done, 2 failed.
EMSCRIPTEN_KEEPALIVE int velmoraStillStep(double budgetMilliseconds) {
    if (!stills) return 2;
    bool more = false;
    if (!guarded([&] { more = stills->advance(budgetMilliseconds / 1000.0); })) return 2;
    return more ? 1 : 0;
}

// Still i's RGBA pixels, bottom row first (null when it was not reached).
EMSCRIPTEN_KEEPALIVE const unsigned char* velmoraStillPixels(int i) {
    if (!stills || i < 0 || static_cast<std::size_t>(i) >= stills->marks().size()) return nullptr;
    const std::vector<std::uint8_t>& picture = stills->picture(static_cast<std::size_t>(i));
    return picture.empty() ? nullptr : picture.data();
}

EMSCRIPTEN_KEEPALIVE double velmoraStillFrames(int stateOnly) {
    if (!stills) return 0;
    return static_cast<double>(stateOnly ? stills->stateOnlyFrames() : stills->frames());
}

EMSCRIPTEN_KEEPALIVE double velmoraStillFullMilliseconds() {
    return stills ? stills->fullDrawingSeconds() * 1000.0 : 0.0;
}

}  // extern "C"
