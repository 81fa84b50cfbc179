// How a capture ends other than by finishing: a signal to stop finishes the
// file (still playable) and ends with the shell's status for that signal; a
// file that cannot be written is named and not left behind half-written.
// And a rate written is the rate read back.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "tests/capture/CaptureRun.h"
#include "tests/capture/DecodedMedia.h"
#include "tests/fixtures/FixtureFolder.h"

TEST(CaptureEnding, StopSignalsFinishTheFileWithTheShellsStatus) {
    struct Case {
        int signal;
        int status;
    };
    const Case cases[] = {{SIGTERM, 143}, {SIGHUP, 129}, {SIGINT, 130}};
    for (const Case& c : cases) {
        SCOPED_TRACE(strsignal(c.signal));
        FixtureFolder data;
        RunningCapture capture("--fps 10 stopped.mkv");
        ASSERT_TRUE(capture.waitFor("10% (frame", 60)) << capture.finish().output;
        capture.signal(c.signal);
        const ToolRun run = capture.finish();
        EXPECT_EQ(run.status, c.status) << run.output;
        EXPECT_NE(run.output.find("velmora-capture: stopped after"), std::string::npos) << run.output;
        const DecodedMedia media = decodeMedia("stopped.mkv");
        EXPECT_GT(media.frameHashes.size(), 10u);
        EXPECT_LT(media.frameHashes.size(), 200u) << "stopped well before the end";
    }
}

TEST(CaptureEnding, AWriteErrorNamesTheFileAndLeavesNoHalfFile) {
    struct Case {
        const char* arguments;
        const char* file;
        const char* message;
    };
    const Case cases[] = {
        {"--fps 10 big.mkv", "big.mkv", "the unfinished 'big.mkv' was removed"},
        {"--fps 10 --still 2:0 --out-dir shots", "shots/02-00.png",
         "; the unfinished file was removed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        FixtureFolder data;
        // Files may grow to 100 blocks (50 to 100 kB) and no more: the
        // write that goes past it fails as on a full disk.
        const ToolRun run = runCapture(c.arguments, "trap '' XFSZ; ulimit -f 100");
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find(std::string("cannot write '") + c.file + "'"),
                  std::string::npos)
            << run.output;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
        EXPECT_FALSE(std::filesystem::exists(c.file));
    }
}

TEST(CaptureEnding, MatroskaKeepsA1001Rate) {
    FixtureFolder data;
    const ToolRun run = runCapture("--fps 60000/1001 --to 0.5 ntsc.mkv");
    ASSERT_EQ(run.status, 0) << run.output;
    const DecodedMedia media = decodeMedia("ntsc.mkv");
    EXPECT_EQ(media.rateNumerator, 60000);
    EXPECT_EQ(media.rateDenominator, 1001);
}
