// NullGles: an OpenGL ES whose every call returns at once, reporting success
// where the layer asks (shaders compile, programs link), so that timing a
// frame through the web layer on it times the layer's own work only.
#pragma once

#include "webgl/GlesApi.h"

webgl::GlesApi nullGlesApi();
