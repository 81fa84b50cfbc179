// Disc geometry: the centre and rim of the pulsing sphere scene's disc, rims
// of any segment count, and the counts that cannot be built.
#include <gtest/gtest.h>

#include <cmath>

#include "objects/Disc.h"
#include "shell/CError.h"

namespace {

constexpr double pi = 3.14159265358979323846;

double radians(double degrees) { return degrees * pi / 180.0; }

void expectPoint(const Disc& d, int m, double x, double y) {
    SCOPED_TRACE(m);
    EXPECT_NEAR(d.vertices[4 * m], x, 1e-5);
    EXPECT_NEAR(d.vertices[4 * m + 1], y, 1e-5);
    EXPECT_EQ(d.vertices[4 * m + 2], 0.0f);
}

TEST(DiscGeometry, EightSegmentsRadiusThirty) {
    const Disc d(8, 30.0f);
    EXPECT_EQ(d.segmentCount, 8);
    EXPECT_EQ(d.radius, 30.0f);
    EXPECT_FALSE(d.outlined);
    expectPoint(d, 0, 0.0, 0.0);
    expectPoint(d, 1, 30.0, 0.0);
    expectPoint(d, 2, 30.0 * std::cos(radians(45)), 30.0 * std::sin(radians(45)));
    expectPoint(d, 3, 0.0, 30.0);
    expectPoint(d, 5, -30.0, 0.0);
    expectPoint(d, 8, 30.0 * std::cos(radians(315)), 30.0 * std::sin(radians(315)));
}

// Counts whose 360 / n does not add up exactly still give n rim points at
// (i − 1) · 360 / n, the last one short of a full turn.
TEST(DiscGeometry, AnySegmentCountGivesExactlyThatManyRimPoints) {
    for (int n : {1, 3, 7, 11, 360, 1000}) {
        SCOPED_TRACE(n);
        const Disc d(n, 2.0f);
        expectPoint(d, 0, 0.0, 0.0);
        for (int i = 1; i <= n; ++i) {
            const double a = radians((i - 1) * 360.0 / n);
            ASSERT_NEAR(d.vertices[4 * i], 2.0 * std::cos(a), 1e-5) << i;
            ASSERT_NEAR(d.vertices[4 * i + 1], 2.0 * std::sin(a), 1e-5) << i;
        }
    }
}

TEST(DiscGeometry, SetColorStoresAllFour) {
    Disc d(8, 30.0f);
    d.setColor(0.25f, 0.5f, 0.75f, 0.125f);
    EXPECT_EQ(d.color[0], 0.25f);
    EXPECT_EQ(d.color[1], 0.5f);
    EXPECT_EQ(d.color[2], 0.75f);
    EXPECT_EQ(d.color[3], 0.125f);
}

TEST(DiscGeometry, NoSegmentsMeansNotEnoughMemory) {
    for (int n : {0, -1, -2147483647 - 1}) {
        SCOPED_TRACE(n);
        try {
            Disc d(n, 30.0f);
            ADD_FAILURE() << "built a disc of " << d.segmentCount << " segments";
        } catch (const CError& error) {
            EXPECT_EQ(error.message(), "Not enough memory");
        }
    }
}

}  // namespace
