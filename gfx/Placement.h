// The usual object transform: translate to the position, then rotate about
// X, Y and Z by the rotation angles, in that order. Callers push the matrix.
#pragma once

class Object3D;

void applyPlacement(const Object3D& object);
