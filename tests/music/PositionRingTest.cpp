// The row-start history the audible position and the passed rows are read from.
#include "demo/music/PositionRing.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::int64_t> framesOf(const std::vector<RowStart>& rows) {
    std::vector<std::int64_t> frames;
    for (const RowStart& row : rows) frames.push_back(row.frame);
    return frames;
}

}  // namespace

TEST(PositionRing, FindsTheNewestEntryAtOrBeforeTheFrameWithTheFrameItBeganOn) {
    PositionRing ring;
    RowStart found;
    EXPECT_FALSE(ring.find(1000, found));

    ring.push(100, 0, 1);
    ring.push(200, 0, 2);
    ring.push(300, 1, 0);
    EXPECT_FALSE(ring.find(99, found));
    ASSERT_TRUE(ring.find(100, found));
    EXPECT_EQ(found.frame, 100);
    EXPECT_EQ(found.position.order, 0u);
    EXPECT_EQ(found.position.row, 1u);
    ASSERT_TRUE(ring.find(299, found));
    EXPECT_EQ(found.frame, 200);
    EXPECT_EQ(found.position.row, 2u);
    ASSERT_TRUE(ring.find(100000, found));
    EXPECT_EQ(found.frame, 300);
    EXPECT_EQ(found.position.order, 1u);
}

TEST(PositionRing, CollectsTheRowsThatBeganAfterOneFrameUpToAnother) {
    PositionRing ring;
    for (std::uint64_t frame : {100u, 200u, 300u, 400u}) ring.push(frame, 0, static_cast<unsigned>(frame / 100));
    struct Case {
        std::int64_t after;
        std::uint64_t upTo;
        std::vector<std::int64_t> frames;
    };
    const Case cases[] = {
        {-1, 1000, {100, 200, 300, 400}},
        {100, 399, {200, 300}},
        {199, 200, {200}},
        {200, 299, {}},
        {400, 1000, {}},
        {-1, 50, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "after " << c.after << " up to " << c.upTo);
        std::vector<RowStart> rows{{7, {9, 9}}};  // appended to, not replaced
        ring.collect(c.after, c.upTo, rows);
        std::vector<std::int64_t> expected{7};
        expected.insert(expected.end(), c.frames.begin(), c.frames.end());
        EXPECT_EQ(framesOf(rows), expected);
    }
}

TEST(PositionRing, KeepsTheLatestEntriesAfterWrappingAround) {
    PositionRing ring;
    const std::size_t total = PositionRing::capacity * 3 + 7;
    for (std::size_t i = 0; i < total; ++i) ring.push(i * 10, static_cast<unsigned>(i / 64), static_cast<unsigned>(i % 64));
    RowStart found;
    const std::size_t probe = total - 5;
    ASSERT_TRUE(ring.find(probe * 10 + 3, found));
    EXPECT_EQ(found.position.order, probe / 64);
    EXPECT_EQ(found.position.row, probe % 64);
    // Overwritten history is gone rather than misreported.
    EXPECT_FALSE(ring.find(5, found));
    std::vector<RowStart> rows;
    ring.collect(-1, total * 10, rows);
    ASSERT_EQ(rows.size(), PositionRing::capacity);
    EXPECT_EQ(rows.front().frame, static_cast<std::int64_t>((total - PositionRing::capacity) * 10));
}

TEST(PositionRing, HoldsFullSixteenBitValuesAndFramesPast32Bits) {
    PositionRing ring;
    const std::uint64_t base = (std::uint64_t{1} << 32) - 50;
    ring.push(base, 65535, 65534);
    ring.push(base + 100, 7, 9);  // crosses the 32-bit boundary
    RowStart found;
    ASSERT_TRUE(ring.find(base + 60, found));
    EXPECT_EQ(found.frame, static_cast<std::int64_t>(base));
    EXPECT_EQ(found.position.order, 65535u);
    EXPECT_EQ(found.position.row, 65534u);
    ASSERT_TRUE(ring.find(base + 100, found));
    EXPECT_EQ(found.frame, static_cast<std::int64_t>(base + 100));
    EXPECT_EQ(found.position.order, 7u);
    EXPECT_EQ(found.position.row, 9u);
    std::vector<RowStart> rows;
    ring.collect(static_cast<std::int64_t>(base), base + 200, rows);
    EXPECT_EQ(framesOf(rows), std::vector<std::int64_t>{static_cast<std::int64_t>(base + 100)});
}
