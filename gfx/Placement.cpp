// applyPlacement: shared by every object that uses the plain transform.
#include "gfx/Placement.h"

#include <GL/gl.h>

#include "gfx/Object3D.h"

void applyPlacement(const Object3D& object) {
    glTranslatef(object.position.x, object.position.y, object.position.z);
    glRotatef(object.rotation.x, 1.0f, 0.0f, 0.0f);
    glRotatef(object.rotation.y, 0.0f, 1.0f, 0.0f);
    glRotatef(object.rotation.z, 0.0f, 0.0f, 1.0f);
}
