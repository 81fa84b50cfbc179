// QuitSignals' watchdog: a signal the main thread never gets back to look at
// ends the process within two seconds, status 0, after the display mode step.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>

#include "shell/ForcedExit.h"
#include "shell/QuitRequest.h"

TEST(QuitSignalsDeathTest, ASignalEndsAStuckProcessAfterUndoingTheDisplayMode) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EXIT(
        {
            QuitSignals signals;
            setForcedExitUndo([] { std::fputs("display mode restored\n", stderr); });
            std::raise(SIGTERM);
            for (;;) pause();  // stuck where the quit flag is never read
        },
        ::testing::ExitedWithCode(0), "ending now\ndisplay mode restored");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}
