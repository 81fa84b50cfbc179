// Object3D: base of the procedural objects. It holds the placement a scene
// sets before each draw and the do-nothing draw/animate slots; it makes no GL
// call itself (gfx/Placement applies the placement while drawing).
#pragma once

#include "gfx/Vector4.h"

class Object3D {
public:
    Object3D();
    virtual ~Object3D();

    virtual void draw();
    virtual void animate(float time);

    void setRotation(float x, float y, float z);
    void setPosition(float x, float y, float z);
    Vector4 getPosition() const;

    Vector4 rotation;  // degrees about x, y and z; w stays 1
    Vector4 position;  // model-view units; w stays 1
};
