// Dot sphere geometry: the points of the intro scene's spheres, the pole
// that is repeated and the one that is never reached, and resolutions that
// must never write outside the n² points.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <new>

#include "objects/DotSphere.h"

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr float tolerance = 2e-6f;

struct P {
    float x, y, z;
};

P pointOf(const DotSphere& s, int m) {
    return {s.points[4 * m], s.points[4 * m + 1], s.points[4 * m + 2]};
}

double radians(double degrees) { return degrees * pi / 180.0; }

void expectPoint(const P& p, double x, double y, double z, float tol = tolerance) {
    EXPECT_NEAR(p.x, x, tol);
    EXPECT_NEAR(p.y, y, tol);
    EXPECT_NEAR(p.z, z, tol);
}

TEST(DotSphereGeometry, IntroSphereHas400PointsStartingWithTheRepeatedPole) {
    const DotSphere s(20.0f, 1.0f);
    EXPECT_EQ(s.resolution, 20);
    EXPECT_EQ(s.pointCount, 400);
    EXPECT_EQ(s.radius, 1.0f);
    for (int m = 0; m < 40; ++m) {
        SCOPED_TRACE(m);
        expectPoint(pointOf(s, m), 0.0, 0.0, 1.0);
    }
    expectPoint(pointOf(s, 40), std::sin(radians(18)), 0.0, std::cos(radians(18)));
    // Second point of ring 1: theta advances by 9 degrees.
    expectPoint(pointOf(s, 41), std::cos(radians(9)) * std::sin(radians(18)),
                std::sin(radians(9)) * std::sin(radians(18)), std::cos(radians(18)));
    // Last point: ring 9 at phi = 162, theta = 351.
    expectPoint(pointOf(s, 399), std::cos(radians(351)) * std::sin(radians(162)),
                std::sin(radians(351)) * std::sin(radians(162)), std::cos(radians(162)));
}

TEST(DotSphereGeometry, AllPointsOnTheSphereAndTheSouthPoleNeverGenerated) {
    const DotSphere s(20.0f, 2.5f);
    float minZ = 10.0f;
    for (int m = 0; m < s.pointCount; ++m) {
        const P p = pointOf(s, m);
        EXPECT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 2.5f, 1e-5f) << m;
        minZ = std::min(minZ, p.z);
    }
    EXPECT_NEAR(minZ, 2.5 * std::cos(radians(162)), 1e-5);
    EXPECT_GT(minZ, -2.4f);
}

TEST(DotSphereGeometry, PulsingSphereResolutionUsesNineAndFourAndAHalfDegrees) {
    const DotSphere s(40.0f, 2.0f);
    EXPECT_EQ(s.pointCount, 1600);
    expectPoint(pointOf(s, 80), 2.0 * std::sin(radians(9)), 0.0, 2.0 * std::cos(radians(9)));
    expectPoint(pointOf(s, 81), 2.0 * std::cos(radians(4.5)) * std::sin(radians(9)),
                2.0 * std::sin(radians(4.5)) * std::sin(radians(9)), 2.0 * std::cos(radians(9)));
    expectPoint(pointOf(s, 1599), 2.0 * std::cos(radians(355.5)) * std::sin(radians(171)),
                2.0 * std::sin(radians(355.5)) * std::sin(radians(171)),
                2.0 * std::cos(radians(171)), 4e-6f);
}

TEST(DotSphereGeometry, FractionalResolutionIsTruncated) {
    const DotSphere truncated(20.9f, 1.0f);
    const DotSphere exact(20.0f, 1.0f);
    EXPECT_EQ(truncated.resolution, 20);
    EXPECT_EQ(truncated.pointCount, 400);
    for (int i = 0; i < 400 * 4; ++i) {
        ASSERT_EQ(truncated.points[i], exact.points[i]) << i;
    }
}

// Odd resolutions give n/2 rings of 2n points; the last n points of the
// buffer stay at the origin instead of an extra ring being written past it.
TEST(DotSphereGeometry, OddResolutionsStayInsideTheBuffer) {
    for (float resolution : {21.0f, 7.5f, 3.0f, 1.0f, 2.0f}) {
        SCOPED_TRACE(resolution);
        const DotSphere s(resolution, 1.0f);
        const int n = s.resolution;
        ASSERT_EQ(s.pointCount, n * n);
        const int written = (n / 2) * 2 * n;
        for (int m = 0; m < written; ++m) {
            const P p = pointOf(s, m);
            ASSERT_NEAR(p.x * p.x + p.y * p.y + p.z * p.z, 1.0f, 1e-5f) << m;
        }
        for (int m = written; m < s.pointCount; ++m) {
            expectPoint(pointOf(s, m), 0.0, 0.0, 0.0);
        }
        if (n >= 2) {
            // The last written ring sits at (n/2 − 1) · 360/n degrees.
            const double phi = (n / 2 - 1) * static_cast<double>(360.0f / n);
            EXPECT_NEAR(pointOf(s, written - 1).z, std::cos(radians(phi)), 1e-5);
        }
    }
}

TEST(DotSphereGeometry, ImpossibleResolutionsFailLikeAnAllocation) {
    for (float resolution : {0.0f, 0.9f, -3.0f, 46341.0f, 1e10f, -1e10f,
                             std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::infinity()}) {
        SCOPED_TRACE(resolution);
        EXPECT_THROW(DotSphere(resolution, 1.0f), std::bad_alloc);
    }
}

TEST(DotSphereGeometry, StartsAtTheOriginUnrotated) {
    const DotSphere s(4.0f, 1.0f);
    EXPECT_EQ(s.getPosition().x, 0.0f);
    EXPECT_EQ(s.getPosition().w, 1.0f);
    EXPECT_EQ(s.rotation.z, 0.0f);
}

}  // namespace
