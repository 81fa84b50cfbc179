// WireTorus geometry: the vertex grid of the torus scene's inset tori, and
// the sizes the constructor must refuse instead of writing past its buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

#include "objects/WireTorus.h"
#include "shell/CError.h"

namespace {

struct Point {
    float x, y, z;
};

Point vertexOf(const WireTorus& t, int ring, int segment) {
    const float* v = &t.vertices[(ring * t.segmentCount + segment) * 4];
    return {v[0], v[1], v[2]};
}

}  // namespace

TEST(WireTorusGeometry, SceneTorusHasItsWorkedExampleShape) {
    WireTorus torus(1.0f, 3.0f, 32, 3.0f, 40.0f);
    ASSERT_EQ(torus.vertexCount, 1280);
    ASSERT_EQ(torus.vertices.size(), 1280u * 4);
    EXPECT_EQ(torus.segmentCount, 40);

    const Point first = vertexOf(torus, 0, 0);
    EXPECT_NEAR(first.x, 0.0f, 1e-5f);
    EXPECT_NEAR(first.y, 12.0f, 1e-5f);
    EXPECT_NEAR(first.z, 0.0f, 1e-5f);

    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f, minZ = 1e9f, maxZ = -1e9f;
    for (int i = 0; i < torus.ringCount; ++i)
        for (int j = 0; j < torus.segmentCount; ++j) {
            const Point p = vertexOf(torus, i, j);
            minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
            minZ = std::min(minZ, p.z), maxZ = std::max(maxZ, p.z);
            // Every vertex lies on the tube: radius 3 around the circle of radius 9.
            const float rho = std::hypot(p.x, p.y);
            EXPECT_NEAR(std::hypot(rho - 9.0f, p.z), 3.0f, 1e-4f) << i << "," << j;
        }
    EXPECT_NEAR(minX, -12.0f, 1e-4f);
    EXPECT_NEAR(maxX, 12.0f, 1e-4f);
    EXPECT_NEAR(minY, -12.0f, 1e-4f);
    EXPECT_NEAR(maxY, 12.0f, 1e-4f);
    EXPECT_NEAR(minZ, -3.0f, 1e-4f);
    EXPECT_NEAR(maxZ, 3.0f, 1e-4f);
}

TEST(WireTorusGeometry, RingZeroSitsOnPlusYAndRingsAdvanceTowardsMinusX) {
    WireTorus torus(1.0f, 3.0f, 32, 3.0f, 40.0f);
    for (int j = 0; j < torus.segmentCount; ++j) EXPECT_NEAR(vertexOf(torus, 0, j).x, 0.0f, 1e-5f);
    EXPECT_LT(vertexOf(torus, 1, 0).x, 0.0f);
    EXPECT_NEAR(vertexOf(torus, 8, 0).x, -12.0f, 1e-4f);
    // Segment 10 is a quarter turn round the tube: the top of the tube.
    const Point top = vertexOf(torus, 0, 10);
    EXPECT_NEAR(top.y, 9.0f, 1e-4f);
    EXPECT_NEAR(top.z, 3.0f, 1e-4f);
}

TEST(WireTorusGeometry, StartsInTheUndrawnStyleAndAnimateSpinsZThenY) {
    WireTorus torus(1.0f, 3.0f, 32, 3.0f, 16.0f);
    EXPECT_EQ(torus.style, 2);
    EXPECT_EQ(torus.vertexCount, 512);
    torus.setRotation(5.0f, 10.0f, 20.0f);
    torus.animate(1234.0f);
    torus.animate(-7.0f);
    EXPECT_FLOAT_EQ(torus.rotation.x, 5.0f);
    EXPECT_FLOAT_EQ(torus.rotation.y, 10.0f + 1.3f + 1.3f);
    EXPECT_FLOAT_EQ(torus.rotation.z, 20.0f + 1.3f + 1.3f);
}

TEST(WireTorusGeometry, FractionalAndOddCountsFillExactlyTheBuffer) {
    WireTorus fractional(1.0f, 3.0f, 7, 1.0f, 40.9f);
    EXPECT_EQ(fractional.segmentCount, 40);
    EXPECT_EQ(fractional.vertexCount, 280);
    EXPECT_EQ(fractional.vertices.size(), 280u * 4);

    WireTorus tiny(1.0f, 3.0f, 1, 1.0f, 1.5f);
    EXPECT_EQ(tiny.vertexCount, 1);
    ASSERT_EQ(tiny.vertices.size(), 4u);
    EXPECT_NEAR(tiny.vertices[1], 4.0f, 1e-6f);
}

TEST(WireTorusGeometry, ImpossibleSizesAreInitializationErrors) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        int rings;
        float segments;
    } cases[] = {{0, 40.0f},       {-3, 40.0f},      {32, 0.0f},    {32, 0.5f},
                 {32, -40.0f},     {INT_MAX, 40.0f}, {65536, 65536.0f},
                 {32, 1e30f},      {32, nan},        {-65536, -65536.0f}};
    for (const auto& c : cases) {
        try {
            WireTorus torus(1.0f, 3.0f, c.rings, 3.0f, c.segments);
            ADD_FAILURE() << "built with " << c.rings << " x " << c.segments;
        } catch (const CError& error) {
            EXPECT_EQ(error.message(), "Object initialization error")
                << c.rings << " x " << c.segments;
        }
    }
}
