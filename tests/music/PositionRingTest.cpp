// The frame → position history the audible position is read from.
#include "demo/music/PositionRing.h"

#include <gtest/gtest.h>

TEST(PositionRing, FindsTheNewestEntryAtOrBeforeTheFrame) {
    PositionRing ring;
    ModulePosition position;
    EXPECT_FALSE(ring.find(1000, position));

    ring.push(100, 0, 1);
    ring.push(200, 0, 2);
    ring.push(300, 1, 0);
    EXPECT_FALSE(ring.find(99, position));
    ASSERT_TRUE(ring.find(100, position));
    EXPECT_EQ(position.order, 0u);
    EXPECT_EQ(position.row, 1u);
    ASSERT_TRUE(ring.find(299, position));
    EXPECT_EQ(position.row, 2u);
    ASSERT_TRUE(ring.find(300, position));
    EXPECT_EQ(position.order, 1u);
    EXPECT_EQ(position.row, 0u);
    ASSERT_TRUE(ring.find(100000, position));
    EXPECT_EQ(position.order, 1u);
}

TEST(PositionRing, KeepsTheLatestEntriesAfterWrappingAround) {
    PositionRing ring;
    const std::size_t total = PositionRing::capacity * 3 + 7;
    for (std::size_t i = 0; i < total; ++i) ring.push(i * 10, static_cast<unsigned>(i / 64), static_cast<unsigned>(i % 64));
    ModulePosition position;
    const std::size_t probe = total - 5;
    ASSERT_TRUE(ring.find(probe * 10 + 3, position));
    EXPECT_EQ(position.order, probe / 64);
    EXPECT_EQ(position.row, probe % 64);
    // Overwritten history is gone rather than misreported.
    EXPECT_FALSE(ring.find(5, position));
}

TEST(PositionRing, HoldsFullSixteenBitValuesAndFramesPast32Bits) {
    PositionRing ring;
    const std::uint64_t base = (std::uint64_t{1} << 32) - 50;
    ring.push(base, 65535, 65534);
    ring.push(base + 100, 7, 9);  // crosses the 32-bit boundary
    ModulePosition position;
    ASSERT_TRUE(ring.find(base + 60, position));
    EXPECT_EQ(position.order, 65535u);
    EXPECT_EQ(position.row, 65534u);
    ASSERT_TRUE(ring.find(base + 100, position));
    EXPECT_EQ(position.order, 7u);
    EXPECT_EQ(position.row, 9u);
}
