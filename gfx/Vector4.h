// Vector4: four single-precision floats, the placement record of every
// procedural object (x, y, z and w, which stays 1).
#pragma once

struct Vector4 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;
};
