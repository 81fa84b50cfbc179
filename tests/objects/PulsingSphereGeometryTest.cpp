// Pulsing sphere geometry: the bumpy base shape made once, and the wave that
// animate runs across the points without ever changing the base.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "objects/PulsingSphere.h"

namespace {

constexpr double pi = 3.14159265358979323846;

double radians(double degrees) { return degrees * pi / 180.0; }

double length(const float* p, int m) {
    return std::sqrt(double(p[4 * m]) * p[4 * m] + double(p[4 * m + 1]) * p[4 * m + 1] +
                     double(p[4 * m + 2]) * p[4 * m + 2]);
}

std::vector<float> copyOf(const float* p, int count) {
    std::vector<float> v;
    for (int m = 0; m < count; ++m) {
        v.insert(v.end(), {p[4 * m], p[4 * m + 1], p[4 * m + 2]});
    }
    return v;
}

// Shaping factor for the point at row i, column j of the 40 × 40 layout.
double bump(int i, int j) {
    const double a = radians((i + j) * 9.0);
    return 2.0 + 0.5 * std::sin(a) * std::cos(3.0 * a);
}

TEST(PulsingSphereGeometry, BaseShapeIsTheDotSphereScaledByTheBump) {
    const PulsingSphere s;
    EXPECT_EQ(s.resolution, 40);
    EXPECT_EQ(s.pointCount, 1600);
    EXPECT_EQ(s.radius, 2.0f);
    // The pole (0, 0, 2) scaled by f = 2.
    EXPECT_NEAR(s.points[0], 0.0f, 1e-6f);
    EXPECT_NEAR(s.points[1], 0.0f, 1e-6f);
    EXPECT_NEAR(s.points[2], 4.0f, 1e-6f);
    // i + j = 1 gives f ≈ 2.0697, i + j = 5 gives f = 1.75, on a radius-2 sphere.
    EXPECT_NEAR(length(s.points.get(), 1), 2.0 * 2.0697, 1e-3);
    EXPECT_NEAR(length(s.points.get(), 40), 2.0 * 2.0697, 1e-3);
    EXPECT_NEAR(length(s.points.get(), 5), 3.5, 1e-5);
    EXPECT_NEAR(length(s.points.get(), 40 * 2 + 3), 3.5, 1e-5);  // i = 2, j = 3

    double smallest = 10.0, largest = 0.0;
    for (int m = 0; m < s.pointCount; ++m) {
        const int i = m / 40, j = m % 40;
        ASSERT_NEAR(length(s.points.get(), m), 2.0 * bump(i, j), 1e-5) << m;
        smallest = std::min(smallest, length(s.points.get(), m));
        largest = std::max(largest, length(s.points.get(), m));
    }
    EXPECT_GT(smallest, 3.1);
    EXPECT_LT(largest, 4.9);
}

TEST(PulsingSphereGeometry, LivePointsStartAsTheBaseShape) {
    const PulsingSphere s;
    EXPECT_EQ(copyOf(s.livePoints.get(), s.pointCount), copyOf(s.points.get(), s.pointCount));
}

TEST(PulsingSphereGeometry, WaveAtTimeZero) {
    PulsingSphere s;
    s.animate(0.0f);
    const float* live = s.livePoints.get();
    const float* base = s.points.get();
    // g = 0 for i + j = 0: the pole sits at the centre.
    EXPECT_NEAR(length(live, 0), 0.0, 1e-6);
    // g = 1.3 for i + j = 10 (sin 90°), g = −1.3 for i + j = 30 (sin 270°).
    for (int m : {10, 40 * 3 + 7, 40 * 10}) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(live[4 * m + c], 1.3f * base[4 * m + c], 1e-5f) << m;
        }
    }
    for (int m : {30, 40 * 15 + 15, 40 * 30}) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(live[4 * m + c], -1.3f * base[4 * m + c], 1e-5f) << m;
        }
    }
}

TEST(PulsingSphereGeometry, WaveMovesFourDegreesPerTimeUnit) {
    PulsingSphere s;
    s.animate(22.5f);  // i + j = 10 now at 180°
    for (int m : {10, 40 * 3 + 7}) {
        EXPECT_NEAR(length(s.livePoints.get(), m), 0.0, 1e-5) << m;
    }
    // i + j = 0 now at 90°: full swell.
    EXPECT_NEAR(s.livePoints[2], 1.3f * 4.0f, 1e-5f);
}

TEST(PulsingSphereGeometry, AnimateIsDeterministicAndNeverTouchesTheBase) {
    PulsingSphere s;
    const std::vector<float> base = copyOf(s.points.get(), s.pointCount);
    s.animate(3.7f);
    const std::vector<float> first = copyOf(s.livePoints.get(), s.pointCount);
    s.animate(100.0f);
    EXPECT_NE(copyOf(s.livePoints.get(), s.pointCount), first);
    s.animate(3.7f);
    EXPECT_EQ(copyOf(s.livePoints.get(), s.pointCount), first);
    EXPECT_EQ(copyOf(s.points.get(), s.pointCount), base);
}

TEST(PulsingSphereGeometry, WavePeriodIsNinetyTimeUnits) {
    PulsingSphere a, b;
    a.animate(1.25f);
    b.animate(91.25f);
    for (int i = 0; i < a.pointCount * 4; i += 4) {
        for (int c = 0; c < 3; ++c) {
            ASSERT_NEAR(a.livePoints[i + c], b.livePoints[i + c], 1e-4f) << i / 4;
        }
    }
}

}  // namespace
