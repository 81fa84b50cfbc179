// Dot cylinder geometry: the intro scene's two rings, fractional segment
// counts that must stay inside the buffer, and counts that cannot be built.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "objects/DotCylinder.h"
#include "shell/CError.h"

namespace {

constexpr double pi = 3.14159265358979323846;

double radians(double degrees) { return degrees * pi / 180.0; }

void expectPoint(const DotCylinder& c, int m, double x, double y, double z) {
    SCOPED_TRACE(m);
    EXPECT_NEAR(c.points[4 * m], x, 2e-6);
    EXPECT_NEAR(c.points[4 * m + 1], y, 2e-6);
    EXPECT_NEAR(c.points[4 * m + 2], z, 2e-6);
}

TEST(DotCylinderGeometry, IntroCylinderTwoRingsOfTwenty) {
    const DotCylinder c(4.0f, 2, 4.0f, 20.0f);
    EXPECT_EQ(c.ringCount, 2);
    EXPECT_EQ(c.segmentCount, 20);
    EXPECT_EQ(c.pointCount, 40);
    EXPECT_EQ(c.radius, 4.0f);
    EXPECT_EQ(c.ringSpacing, 4.0f);
    expectPoint(c, 0, 4.0, 0.0, 0.0);
    expectPoint(c, 1, 4.0 * std::cos(radians(18)), 0.0, 4.0 * std::sin(radians(18)));
    expectPoint(c, 5, 0.0, 0.0, 4.0);
    expectPoint(c, 19, 4.0 * std::cos(radians(342)), 0.0, 4.0 * std::sin(radians(342)));
    expectPoint(c, 20, 4.0, 4.0, 0.0);
    expectPoint(c, 39, 4.0 * std::cos(radians(342)), 4.0, 4.0 * std::sin(radians(342)));
    for (int m = 0; m < 40; ++m) {
        const double r = std::hypot(c.points[4 * m], c.points[4 * m + 2]);
        EXPECT_NEAR(r, 4.0, 1e-5) << m;
    }
}

TEST(DotCylinderGeometry, RingsStackAlongYBySpacing) {
    const DotCylinder c(1.5f, 4, 2.5f, 6.0f);
    EXPECT_EQ(c.pointCount, 24);
    for (int j = 0; j < 4; ++j) {
        for (int k = 0; k < 6; ++k) {
            expectPoint(c, j * 6 + k, 1.5 * std::cos(radians(60.0 * k)), 2.5 * j,
                        1.5 * std::sin(radians(60.0 * k)));
        }
    }
}

// The step comes from the untruncated argument, the count per ring from the
// truncated one; whatever the buffer holds beyond that stays at the origin.
TEST(DotCylinderGeometry, FractionalSegmentsStayInsideTheBuffer) {
    const DotCylinder c(4.0f, 2, 4.0f, 20.5f);
    EXPECT_EQ(c.segmentCount, 20);
    EXPECT_EQ(c.pointCount, 41);
    const double step = 360.0f / 20.5f;
    expectPoint(c, 19, 4.0 * std::cos(radians(19 * step)), 0.0, 4.0 * std::sin(radians(19 * step)));
    expectPoint(c, 20, 4.0, 4.0, 0.0);
    expectPoint(c, 40, 0.0, 0.0, 0.0);

    const DotCylinder few(1.0f, 5, 1.0f, 2.9f);
    EXPECT_EQ(few.segmentCount, 2);
    EXPECT_EQ(few.pointCount, 14);
    expectPoint(few, 9, std::cos(radians(360.0f / 2.9f)), 4.0, std::sin(radians(360.0f / 2.9f)));
    for (int m = 10; m < 14; ++m) {
        expectPoint(few, m, 0.0, 0.0, 0.0);
    }

    for (float segments : {7.3f, 13.0f, 1.0f, 3.999f}) {
        const DotCylinder odd(2.0f, 3, 1.0f, segments);
        SCOPED_TRACE(segments);
        EXPECT_EQ(odd.segmentCount, static_cast<int>(segments));
        EXPECT_EQ(odd.pointCount, static_cast<int>(3 * segments));
        EXPECT_NEAR(odd.points[4 * (3 * odd.segmentCount - 1) + 1], 2.0f, 1e-6f);
    }
}

TEST(DotCylinderGeometry, ImpossibleCountsReportTheGenerationError) {
    struct Case {
        int rings;
        float segments;
    };
    for (const Case& k : {Case{2, 0.0f}, Case{2, 0.5f}, Case{2, -20.0f}, Case{0, 20.0f},
                          Case{-2, 20.0f}, Case{2, 1e12f}, Case{1 << 30, 4.0f},
                          Case{2, std::numeric_limits<float>::quiet_NaN()}}) {
        SCOPED_TRACE(std::to_string(k.rings) + " rings, " + std::to_string(k.segments));
        try {
            DotCylinder c(4.0f, k.rings, 4.0f, k.segments);
            ADD_FAILURE() << "built " << c.pointCount << " points";
        } catch (const CError& error) {
            EXPECT_EQ(error.message(), "3D Object generation error : not enough memory");
        }
    }
}

}  // namespace
