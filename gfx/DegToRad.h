// degToRad: degrees to radians for every object and scene that turns an
// angle table into geometry.
#pragma once

// Single precision on purpose: the float value of pi/180 is part of the look,
// and products taken with it in float must stay float.
constexpr float degToRad = 0.017453292f;
