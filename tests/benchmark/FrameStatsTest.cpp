// The benchmark's frame statistics: nearest-rank percentiles, the median of
// odd and even counts, and unsorted input.
#include <gtest/gtest.h>

#include "tools/benchmark/FrameStats.h"

namespace {

TEST(FrameStats, PercentilesByNearestRank) {
    struct Case {
        std::vector<double> samples;
        double percent;
        double expected;
    };
    std::vector<double> hundred;
    for (int i = 100; i >= 1; --i) hundred.push_back(i);  // unsorted on purpose
    const Case cases[] = {
        {{}, 50.0, 0.0},
        {{7.0}, 99.0, 7.0},
        {hundred, 95.0, 95.0},
        {hundred, 99.0, 99.0},
        {hundred, 100.0, 100.0},
        {{1.0, 2.0, 3.0}, 50.0, 2.0},
        {{1.0, 2.0, 3.0}, 95.0, 3.0},  // rank 2.85 rounds up to the third
        {{5.0, 1.0}, 0.0, 1.0},        // rank 0 is the smallest, never before it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.samples.size() << " samples, " << c.percent << " %");
        EXPECT_DOUBLE_EQ(percentile(c.samples, c.percent), c.expected);
    }
}

TEST(FrameStats, SummaryOfAFrameRun) {
    const FrameStats odd = summarize({30.0, 10.0, 20.0});
    EXPECT_EQ(odd.frames, 3);
    EXPECT_DOUBLE_EQ(odd.median, 20.0);
    EXPECT_DOUBLE_EQ(odd.worst, 30.0);
    EXPECT_DOUBLE_EQ(odd.mean, 20.0);
    EXPECT_DOUBLE_EQ(odd.framesPerSecond, 50.0);

    const FrameStats even = summarize({4.0, 1.0, 3.0, 2.0});
    EXPECT_DOUBLE_EQ(even.median, 2.5);
    EXPECT_DOUBLE_EQ(even.p95, 4.0);

    const FrameStats none = summarize({});
    EXPECT_EQ(none.frames, 0);
    EXPECT_DOUBLE_EQ(none.framesPerSecond, 0.0);
}

}  // namespace
