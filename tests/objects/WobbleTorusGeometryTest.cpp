// WobbleTorus geometry: the wave-deformed torus of the tunnel, its phase
// handling across animate() calls, and the sizes the constructor refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <vector>

#include "objects/WobbleTorus.h"
#include "shell/CError.h"

namespace {

struct Point {
    float x, y, z;
};

Point vertexOf(const WobbleTorus& t, int ring, int segment) {
    const float* v = &t.vertices[(ring * t.segmentCount + segment) * 4];
    return {v[0], v[1], v[2]};
}

// The start time is shared by the whole run; every case begins a new run.
class WobbleTorusGeometry : public ::testing::Test {
protected:
    void SetUp() override {
        WobbleTorus::wobbleStartCaptured = false;
        WobbleTorus::wobbleStartTime = 0.0f;
    }
    WobbleTorus torus{1.0f, 3.0f, 128, 3.0f, 40.0f};
};

void expectSameVertices(const std::vector<float>& a, const std::vector<float>& b, float tol) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t k = 0; k < a.size(); k += 4) {
        ASSERT_NEAR(a[k], b[k], tol) << "vertex " << k / 4;
        ASSERT_NEAR(a[k + 1], b[k + 1], tol) << "vertex " << k / 4;
        ASSERT_NEAR(a[k + 2], b[k + 2], tol) << "vertex " << k / 4;
    }
}

// The wave written out vertex by vertex in the object's own precision: the
// tables a frame reads from must give these very floats, not nearly them.
std::vector<float> directWave(const WobbleTorus& t, float phase) {
    std::vector<float> out;
    const float r = t.tubeRadius;
    const float s = t.scale;
    for (int i = 0; i < t.ringCount; ++i) {
        const float u = static_cast<float>(i) * 360.0f / static_cast<float>(t.ringCount) * 0.017453292f;
        for (int j = 0; j < t.segmentCount; ++j) {
            const float vDeg = static_cast<float>(j) * 360.0f / static_cast<float>(t.segmentCount);
            const float w = vDeg + static_cast<float>(i - t.ringCount / 2) + phase;
            const double v = static_cast<double>(vDeg * 0.017453292f);
            const double stretch = 1.0 + 0.3 * std::sin(static_cast<double>(3.0f * w * 0.017453292f));
            const double bulge = 1.0 + 0.4 * std::cos(static_cast<double>(6.0f * w * 0.017453292f));
            const float d = static_cast<float>(t.ringRadius + r * stretch * std::cos(v));
            out.push_back(static_cast<float>(-s * d * std::sin(static_cast<double>(u))));
            out.push_back(static_cast<float>(s * d * std::cos(static_cast<double>(u))));
            out.push_back(static_cast<float>(s * (r * bulge * std::sin(v))));
        }
    }
    return out;
}

}  // namespace

TEST_F(WobbleTorusGeometry, EveryFrameGivesExactlyTheDirectWave) {
    struct Case {
        int rings;
        float segments;
        float phase;
    };
    const Case cases[] = {{128, 40.0f, 0.0f}, {128, 40.0f, 37.125f}, {128, 40.0f, 5123.7f},
                          {7, 13.0f, 1.5f},   {5, 7.5f, 300.25f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rings << " rings, " << c.segments << " segments, phase "
                                        << c.phase);
        WobbleTorus::wobbleStartCaptured = false;
        WobbleTorus shape(1.0f, 3.0f, c.rings, 3.0f, c.segments);
        shape.animate(0.0f);
        shape.animate(c.phase);
        const std::vector<float> expected = directWave(shape, c.phase);
        ASSERT_EQ(expected.size() / 3, static_cast<std::size_t>(shape.vertexCount));
        for (int m = 0; m < shape.vertexCount; ++m) {
            for (int axis = 0; axis < 3; ++axis) {
                ASSERT_EQ(shape.vertices[4 * m + axis], expected[3 * m + axis]) << "vertex " << m;
            }
        }
    }
}

TEST_F(WobbleTorusGeometry, SceneTorusAtPhaseZeroMatchesTheWorkedExample) {
    ASSERT_EQ(torus.vertexCount, 5120);
    ASSERT_EQ(torus.vertices.size(), 5120u * 4);
    const Point first = vertexOf(torus, 0, 0);
    EXPECT_NEAR(first.x, 0.0f, 1e-4f);
    EXPECT_NEAR(first.y, 12.1871f, 2e-4f);
    EXPECT_NEAR(first.z, 0.0f, 1e-5f);

    // Ring 64 carries no ring offset: wave angle = tube angle.
    const Point bottom = vertexOf(torus, 64, 0);  // d = 3 + 1
    EXPECT_NEAR(bottom.x, 0.0f, 1e-4f);
    EXPECT_NEAR(bottom.y, -12.0f, 1e-4f);
    const Point top = vertexOf(torus, 64, 10);  // v = 90: d = 3, e = 1 - 0.4
    EXPECT_NEAR(top.y, -9.0f, 1e-4f);
    EXPECT_NEAR(top.z, 1.8f, 1e-4f);
}

TEST_F(WobbleTorusGeometry, NoVertexLeavesTheDeformationBounds) {
    for (float time : {0.0f, 0.0f, 37.5f, 200.0f}) {
        torus.animate(time);
        float maxXY = 0.0f, maxZ = 0.0f;
        for (int k = 0; k < torus.vertexCount; ++k) {
            maxXY = std::max({maxXY, std::fabs(torus.vertices[k * 4]),
                              std::fabs(torus.vertices[k * 4 + 1])});
            maxZ = std::max(maxZ, std::fabs(torus.vertices[k * 4 + 2]));
        }
        EXPECT_LE(maxXY, 12.9f) << time;
        EXPECT_LE(maxZ, 4.2f) << time;
        EXPECT_GT(maxXY, 12.0f) << time;  // the tube really bulges outwards
        EXPECT_GT(maxZ, 3.0f) << time;
    }
}

TEST_F(WobbleTorusGeometry, FirstAnimateReproducesTheConstructorWhateverItsTime) {
    const std::vector<float> built = torus.vertices;
    torus.animate(987.25f);
    EXPECT_FLOAT_EQ(WobbleTorus::wobbleStartTime, 987.25f);
    EXPECT_TRUE(WobbleTorus::wobbleStartCaptured);
    expectSameVertices(built, torus.vertices, 0.0f);
}

TEST_F(WobbleTorusGeometry, PhaseIsTimeSinceTheFirstCallAndRepeatsEvery360) {
    torus.animate(10.0f);
    torus.animate(100.0f);  // phase 90: ring 64, segment 0 has d = 3 + 0.7
    EXPECT_FLOAT_EQ(WobbleTorus::wobbleStartTime, 10.0f);
    EXPECT_NEAR(vertexOf(torus, 64, 0).y, -11.1f, 1e-4f);

    torus.animate(10.0f + 50.0f);
    const std::vector<float> atT = torus.vertices;
    torus.animate(10.0f + 50.0f + 360.0f);
    expectSameVertices(atT, torus.vertices, 2e-3f);
    torus.animate(10.0f + 50.0f + 3600.0f);
    expectSameVertices(atT, torus.vertices, 2e-3f);
}

TEST_F(WobbleTorusGeometry, StartTimeIsSharedByEveryInstance) {
    WobbleTorus other(1.0f, 3.0f, 128, 3.0f, 40.0f);
    torus.animate(5.0f);
    other.animate(95.0f);
    EXPECT_FLOAT_EQ(WobbleTorus::wobbleStartTime, 5.0f);
    EXPECT_NEAR(vertexOf(other, 64, 0).y, -11.1f, 1e-4f);
}

TEST_F(WobbleTorusGeometry, OddAndFractionalCountsFillExactlyTheBuffer) {
    WobbleTorus odd(1.0f, 3.0f, 7, 1.0f, 5.99f);
    EXPECT_EQ(odd.segmentCount, 5);
    EXPECT_EQ(odd.vertexCount, 35);
    EXPECT_EQ(odd.vertices.size(), 35u * 4);
    // 7 rings: offsets run -3 .. 3, so ring 3 is the undisplaced one.
    const float* v = &odd.vertices[3 * 5 * 4];
    EXPECT_NEAR(std::hypot(v[0], v[1]), 4.0f, 1e-5f);
    odd.animate(1.0f);
    EXPECT_EQ(odd.vertices.size(), 35u * 4);
}

TEST_F(WobbleTorusGeometry, ImpossibleSizesAreInitializationErrors) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        int rings;
        float segments;
    } cases[] = {{0, 40.0f},    {-128, 40.0f},    {128, 0.0f},       {128, 0.9f},
                 {128, -40.0f}, {INT_MAX, 40.0f}, {65536, 65536.0f}, {-65536, -65536.0f},
                 {128, 3e9f},   {128, nan}};
    for (const auto& c : cases) {
        try {
            WobbleTorus broken(1.0f, 3.0f, c.rings, 3.0f, c.segments);
            ADD_FAILURE() << "built with " << c.rings << " x " << c.segments;
        } catch (const CError& error) {
            EXPECT_EQ(error.message(), "Object initialization error")
                << c.rings << " x " << c.segments;
        }
    }
}
