// The headless run stepping the real player offline: whatever the frame
// rate, frame i shows the clock at i / fps after exactly round(i · 44100 / fps)
// samples of music, so picture and sound never drift, and the run ends on
// the first frame at or past order 38 row 3.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

#include <libopenmpt/libopenmpt.hpp>

#include "shell/HeadlessRun.h"
#include "tests/fixtures/FixtureFolder.h"

namespace {

TEST(HeadlessRun, FixedStepKeepsSoundAndPictureOnOneGridAndEndsWithinAFrame) {
    FixtureFolder data;
    // Where the decoder itself puts order 38 row 3 (its ticks are whole samples).
    std::ifstream file(data.data.modulePath(), std::ios::binary);
    openmpt::module module(file);
    const double end = module.set_position_order_row(38, 3);
    const FrameRate rates[] = {{60, 1}, {60000, 1001}, {24, 1}};
    for (const FrameRate& rate : rates) {
        SCOPED_TRACE(std::to_string(rate.numerator) + "/" + std::to_string(rate.denominator));
        HeadlessRun::Options options;
        options.width = 64;  // the picture is not looked at here
        options.height = 48;
        options.playModule = true;
        options.rate = rate;
        HeadlessRun run(options);
        std::int64_t samples = 0;
        bool over = false;
        while (!over && run.frames() < 5000) {
            over = run.step();
            samples += static_cast<std::int64_t>(run.audio().size()) / 2;
        }
        ASSERT_TRUE(over);
        const std::int64_t last = run.frames() - 1;
        const double frameSeconds = double(rate.denominator) / double(rate.numerator);
        EXPECT_EQ(samples, std::llround(last * 44100.0 * frameSeconds));
        EXPECT_EQ(run.run.now, double(last * rate.denominator) / double(rate.numerator));
        // Never early; late by at most a frame, plus the 5 ms over which the
        // player keeps one position and the decoder's own row timing (a
        // 10 ms tick here) lagging its estimate by a few milliseconds.
        EXPECT_GE(run.run.now, end - 1.0 / 44100);
        EXPECT_LT(run.run.now, end + frameSeconds + 0.010);
        // The position the tools read is the one that ended the run.
        const ModulePosition ending = run.position();
        EXPECT_EQ(ending.order, 38u);
        EXPECT_GE(ending.row, 3u);
    }
}

}  // namespace
