// Object constructors when memory runs out: each must turn the failure into
// its own CError text (or let it through, for the dot sphere) and leave
// nothing behind. The array allocation functions are replaced here so a test
// can make the next one fail.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "objects/Disc.h"
#include "objects/DotCylinder.h"
#include "objects/DotSphere.h"
#include "objects/PulsingSphere.h"
#include "shell/CError.h"

namespace {

// 0: never fail; n: the n-th array allocation from now fails.
int failCountdown = 0;
int arrayAllocations = 0;

}  // namespace

void* operator new[](std::size_t size) {
    ++arrayAllocations;
    if (failCountdown > 0 && --failCountdown == 0) {
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

template <typename Build>
std::string errorText(Build build) {
    try {
        build();
    } catch (const CError& error) {
        return error.message();
    }
    return "no CError";
}

class AllocationFailure : public ::testing::Test {
protected:
    void failAllocation(int n) {
        failCountdown = n;
        arrayAllocations = 0;
    }
    void TearDown() override { failCountdown = 0; }
};

TEST_F(AllocationFailure, DiscReportsNotEnoughMemory) {
    failAllocation(1);
    EXPECT_EQ(errorText([] { Disc disc(8, 30.0f); }), "Not enough memory");
    EXPECT_EQ(arrayAllocations, 1);
}

TEST_F(AllocationFailure, DotCylinderReportsGenerationError) {
    failAllocation(1);
    EXPECT_EQ(errorText([] { DotCylinder cylinder(4.0f, 2, 4.0f, 20.0f); }),
              "3D Object generation error : not enough memory");
}

TEST_F(AllocationFailure, DotSpherePassesTheFailureOn) {
    failAllocation(1);
    EXPECT_THROW(DotSphere(20.0f, 1.0f), std::bad_alloc);
}

TEST_F(AllocationFailure, PulsingSphereOwnBufferGivesItsText) {
    // The first array is the dot sphere's points, the second the live copy.
    failAllocation(2);
    EXPECT_EQ(errorText([] { PulsingSphere sphere; }), "Error not enough memory");
    EXPECT_EQ(arrayAllocations, 2);
}

TEST_F(AllocationFailure, PulsingSphereLetsTheDotSphereFailureThrough) {
    failAllocation(1);
    EXPECT_THROW(PulsingSphere(), std::bad_alloc);
    EXPECT_EQ(arrayAllocations, 1);
}

TEST_F(AllocationFailure, ObjectsBuildWhenMemoryIsThere) {
    failAllocation(0);
    PulsingSphere sphere;
    Disc disc(8, 30.0f);
    EXPECT_EQ(sphere.pointCount, 1600);
    EXPECT_EQ(disc.vertices[4], 30.0f);
    EXPECT_EQ(arrayAllocations, 3);
}

}  // namespace
