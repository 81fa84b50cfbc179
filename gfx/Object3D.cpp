// Object3D: placement storage and the base's empty draw/animate.
#include "gfx/Object3D.h"

Object3D::Object3D() = default;

Object3D::~Object3D() = default;

void Object3D::draw() {}

void Object3D::animate(float) {}

void Object3D::setRotation(float x, float y, float z) {
    rotation.x = x;
    rotation.y = y;
    rotation.z = z;
}

void Object3D::setPosition(float x, float y, float z) {
    position.x = x;
    position.y = y;
    position.z = z;
}

Vector4 Object3D::getPosition() const { return position; }
