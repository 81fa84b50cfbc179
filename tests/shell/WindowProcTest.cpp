// The window procedure's routing of SDL events to the application object and
// the idle loop around it. Needs only SDL's event queue, no display.
#include <gtest/gtest.h>

#include <SDL.h>

#include <csignal>
#include <cstdlib>
#include <optional>
#include <string>

#include "shell/GLWindow.h"
#include "shell/MessageLoop.h"
#include "shell/QuitRequest.h"
#include "tests/shell/ShellTestApp.h"

namespace {

class WindowProcTest : public ::testing::Test {
protected:
    ShellTestApp app;

    void SetUp() override {
        // Boxes for caught failures must fail at once instead of waiting
        // for a click: no display for them to open on.
        hideDisplay("DISPLAY", savedDisplay);
        hideDisplay("WAYLAND_DISPLAY", savedWaylandDisplay);
        ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
        currentApp = &app;
    }
    void TearDown() override {
        SDL_SetEventFilter(nullptr, nullptr);
        forgetQuitRequest();
        currentApp = nullptr;
        SDL_Quit();
        if (!savedDisplay.empty()) setenv("DISPLAY", savedDisplay.c_str(), 1);
        if (!savedWaylandDisplay.empty()) setenv("WAYLAND_DISPLAY", savedWaylandDisplay.c_str(), 1);
    }

    static int queuedQuits() {
        SDL_PumpEvents();
        return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT);
    }

private:
    std::string savedDisplay;
    std::string savedWaylandDisplay;

    static void hideDisplay(const char* name, std::string& saved) {
        const char* value = std::getenv(name);
        saved = value != nullptr ? value : "";
        unsetenv(name);
    }
};

SDL_Event windowEvent(Uint8 kind, int data1 = 0, int data2 = 0) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = kind;
    event.window.data1 = data1;
    event.window.data2 = data2;
    return event;
}

SDL_Event keyDown(SDL_Keycode key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    return event;
}

SDL_Event quitEvent() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    return event;
}

}  // namespace

TEST_F(WindowProcTest, SizeChangeResizesAndExposeRendersAFrame) {
    windowProc(windowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 800, 0));
    windowProc(windowEvent(SDL_WINDOWEVENT_EXPOSED));
    EXPECT_EQ(app.calls, (std::vector<std::string>{"resize 800x0", "renderFrame"}));
    EXPECT_EQ(queuedQuits(), 0);
}

TEST_F(WindowProcTest, EscapeReleasesTheContextAndQuitsOtherKeysDoNothing) {
    windowProc(keyDown(SDLK_SPACE));
    windowProc(keyDown(SDLK_q));
    EXPECT_TRUE(app.calls.empty());
    EXPECT_EQ(queuedQuits(), 0);

    windowProc(keyDown(SDLK_ESCAPE));
    EXPECT_EQ(app.calls, (std::vector<std::string>{"shutdownGL"}));
    EXPECT_EQ(queuedQuits(), 1);
}

TEST_F(WindowProcTest, CloseBoxReleasesTheContextAndQuitsWithoutDestroying) {
    windowProc(windowEvent(SDL_WINDOWEVENT_CLOSE));
    EXPECT_EQ(app.calls, (std::vector<std::string>{"shutdownGL"}));
    EXPECT_EQ(queuedQuits(), 1);
}

TEST_F(WindowProcTest, QuitFromTheSystemReleasesTheContextWithoutPostingAnother) {
    windowProc(quitEvent());
    EXPECT_EQ(app.calls, (std::vector<std::string>{"shutdownGL"}));
    EXPECT_EQ(queuedQuits(), 0);
}

TEST_F(WindowProcTest, OtherEventsAndAMissingApplicationAreIgnored) {
    windowProc(windowEvent(SDL_WINDOWEVENT_MOVED, 10, 10));
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    windowProc(motion);
    EXPECT_TRUE(app.calls.empty());

    currentApp = nullptr;
    windowProc(keyDown(SDLK_ESCAPE));
    windowProc(windowEvent(SDL_WINDOWEVENT_CLOSE));
    EXPECT_TRUE(app.calls.empty());
    EXPECT_EQ(queuedQuits(), 0);
}

TEST_F(WindowProcTest, FailuresInProtectedCallsAreReportedAndHandlingGoesOn) {
    app.failIn = "resize";
    testing::internal::CaptureStderr();
    windowProc(windowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 640, 461));
    app.failWithCError = false;
    windowProc(windowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 640, 461));
    app.failIn = "shutdownGL";
    windowProc(windowEvent(SDL_WINDOWEVENT_CLOSE));
    const std::string errors = testing::internal::GetCapturedStderr();

    EXPECT_NE(errors.find("velmora: Invalid pixel format\n"), std::string::npos) << errors;
    EXPECT_NE(errors.find("velmora: Unknown error\n"), std::string::npos) << errors;
    // The close path posts its quit even when releasing the context failed.
    EXPECT_EQ(queuedQuits(), 1);
}

TEST_F(WindowProcTest, AFailureOnEscapeIsNotCaughtHere) {
    app.failIn = "shutdownGL";
    EXPECT_THROW(windowProc(keyDown(SDLK_ESCAPE)), CError);
}

namespace {

std::vector<std::string>* procedureLog = nullptr;

void recordingProcedure(const SDL_Event& event) {
    procedureLog->push_back(event.type == SDL_QUIT ? "event quit" : "event " + std::to_string(event.type));
}

void pushEvent(Uint32 type) {
    SDL_Event event{};
    event.type = type;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

}  // namespace

TEST_F(WindowProcTest, LoopHandsEveryPendingEventOnBeforeRenderingAndStopsWhenTheDemoEnds) {
    procedureLog = &app.calls;
    pushEvent(SDL_USEREVENT);
    pushEvent(SDL_USEREVENT + 1);
    app.framesUntilEnd = 3;
    MessageLoop loop(app, recordingProcedure);
    loop.run();
    procedureLog = nullptr;

    const std::vector<std::string> expected = {
        "event " + std::to_string(SDL_USEREVENT), "event " + std::to_string(SDL_USEREVENT + 1),
        "renderFrame", "renderFrame", "renderFrame"};
    EXPECT_EQ(app.calls, expected);
    EXPECT_EQ(loop.idleFrames, 3);
}

TEST_F(WindowProcTest, LoopEndsOnQuitWithoutRenderingAndLeavesLaterEventsQueued) {
    procedureLog = &app.calls;
    pushEvent(SDL_QUIT);
    pushEvent(SDL_USEREVENT);
    MessageLoop loop(app, recordingProcedure);
    loop.run();
    procedureLog = nullptr;

    EXPECT_EQ(app.calls, (std::vector<std::string>{"event quit"}));
    EXPECT_EQ(loop.idleFrames, 0);
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_USEREVENT, SDL_USEREVENT), 1);
}

TEST_F(WindowProcTest, EscapeThroughTheRealProcedureEndsTheLoopOnItsNextTurn) {
    SDL_Event escape = keyDown(SDLK_ESCAPE);
    ASSERT_EQ(SDL_PushEvent(&escape), 1);
    app.framesUntilEnd = 1000;  // would end much later by itself
    MessageLoop loop(app, windowProc);
    loop.run();
    // Escape, then the posted quit: the context is let go of on both, and
    // not a single idle frame runs in between.
    EXPECT_EQ(app.calls, (std::vector<std::string>{"shutdownGL", "shutdownGL"}));
    EXPECT_EQ(loop.idleFrames, 0);
}

namespace {

int dropQuits(void*, SDL_Event* event) { return event->type == SDL_QUIT ? 0 : 1; }

void fillTheQueue() {
    SDL_Event filler{};
    filler.type = SDL_USEREVENT;
    while (SDL_PushEvent(&filler) == 1) {
    }
}

// How a quit gets lost (or never enters the queue), and what the user did.
struct LostQuitCase {
    const char* name;
    enum class Loss { Filtered, QueueFull, Interrupt, Terminate } loss;
    std::optional<SDL_Event> userAction;  // handed to the real procedure first
};

}  // namespace

TEST_F(WindowProcTest, AQuitThatNeverReachesTheQueueStillEndsTheLoopBeforeAnotherFrame) {
    using Loss = LostQuitCase::Loss;
    const LostQuitCase cases[] = {
        {"Escape, quit filtered", Loss::Filtered, keyDown(SDLK_ESCAPE)},
        {"close box, quit filtered", Loss::Filtered, windowEvent(SDL_WINDOWEVENT_CLOSE)},
        {"Escape, queue full", Loss::QueueFull, keyDown(SDLK_ESCAPE)},
        {"close box, queue full", Loss::QueueFull, windowEvent(SDL_WINDOWEVENT_CLOSE)},
        {"SIGINT", Loss::Interrupt, std::nullopt},
        {"SIGTERM", Loss::Terminate, std::nullopt},
    };
    for (const LostQuitCase& c : cases) {
        SCOPED_TRACE(c.name);
        ShellTestApp app;
        app.framesUntilEnd = 1000;  // would end much later by itself
        currentApp = &app;
        forgetQuitRequest();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        std::optional<QuitSignals> signals;
        switch (c.loss) {
        case Loss::Filtered: SDL_SetEventFilter(dropQuits, nullptr); break;
        case Loss::QueueFull: fillTheQueue(); break;
        case Loss::Interrupt: signals.emplace(); std::raise(SIGINT); break;
        case Loss::Terminate: signals.emplace(); std::raise(SIGTERM); break;
        }
        if (c.userAction) windowProc(*c.userAction);
        MessageLoop loop(app, windowProc);
        loop.run();
        SDL_SetEventFilter(nullptr, nullptr);

        EXPECT_EQ(loop.idleFrames, 0);
        // The context is let go of as for a quit from the system.
        const std::size_t releases = c.userAction ? 2 : 1;
        EXPECT_EQ(app.calls, std::vector<std::string>(releases, "shutdownGL"));
    }
}
