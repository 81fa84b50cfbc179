// Object3D: the placement every object is drawn with, and the base's draw and
// animate, which must stay silent towards GL.
#include <gtest/gtest.h>

#include "gfx/Object3D.h"
#include "tests/support/RecordingGL.h"

namespace {

TEST(Object3D, FreshPlacementIsOriginWithUnitW) {
    const Object3D object;
    const Vector4 p = object.getPosition();
    EXPECT_EQ(p.x, 0.0f);
    EXPECT_EQ(p.y, 0.0f);
    EXPECT_EQ(p.z, 0.0f);
    EXPECT_EQ(p.w, 1.0f);
    EXPECT_EQ(object.rotation.x, 0.0f);
    EXPECT_EQ(object.rotation.y, 0.0f);
    EXPECT_EQ(object.rotation.z, 0.0f);
    EXPECT_EQ(object.rotation.w, 1.0f);
}

TEST(Object3D, SettersStoreThreeComponentsAndLeaveW) {
    Object3D object;
    object.position.w = 7.0f;
    object.rotation.w = 5.0f;
    object.setPosition(1.0f, 2.0f, 3.0f);
    object.setRotation(10.0f, -20.0f, 370.0f);

    const Vector4 p = object.getPosition();
    EXPECT_EQ(p.x, 1.0f);
    EXPECT_EQ(p.y, 2.0f);
    EXPECT_EQ(p.z, 3.0f);
    EXPECT_EQ(p.w, 7.0f);
    EXPECT_EQ(object.rotation.x, 10.0f);
    EXPECT_EQ(object.rotation.y, -20.0f);
    EXPECT_EQ(object.rotation.z, 370.0f);
    EXPECT_EQ(object.rotation.w, 5.0f);
}

TEST(Object3D, GetPositionIsACopy) {
    Object3D object;
    object.setPosition(4.0f, 5.0f, 6.0f);
    Vector4 copy = object.getPosition();
    copy.x = 99.0f;
    EXPECT_EQ(object.position.x, 4.0f);
    EXPECT_EQ(object.getPosition().x, 4.0f);
    EXPECT_NE(copy.x, object.position.x);
}

TEST(Object3D, BaseDrawAndAnimateMakeNoGlCall) {
    recgl::reset();
    Object3D object;
    object.setPosition(1.0f, 1.0f, 1.0f);
    object.draw();
    object.animate(12.5f);
    EXPECT_TRUE(recgl::calls().empty());
    EXPECT_TRUE(recgl::primitives().empty());
    EXPECT_EQ(object.getPosition().x, 1.0f);
}

}  // namespace
