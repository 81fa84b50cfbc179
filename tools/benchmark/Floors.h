// Floors: for each stretch of the demo, a minimal program that issues the same
// primitives (points, strips, loops, blended full-screen layers, copies to a
// texture) with the same GL state and much the same screen coverage, but
// without the demo's structure: state set once, poses captured once, no
// attribute stack, no per-frame arithmetic. Its frame time is what llvmpipe
// alone needs for the picture; the demo's time over it is what is ours.
// Beat flashes are left out, so floors compare with the demo's median.
#pragma once

#include <GL/gl.h>

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tools/benchmark/Benchmark.h"
#include "tools/benchmark/FrameStats.h"

class Floor {
public:
    virtual ~Floor() = default;
    // Draws frame k at the demo clock `seconds`; the caller times it and
    // presents. Floors follow the camera and tumbles that move the picture
    // across the screen, and nothing else.
    virtual void frame(int k, double seconds) = 0;
};

// One per stretch name of demoStretches(); each needs a current context
// whose initial GL state is the demo's.
// They draw at the demo's own fixed viewports, like the scenes.
std::unique_ptr<Floor> makeIntroFloor();
std::unique_ptr<Floor> makePulsingSphereFloor();
std::unique_ptr<Floor> makeCubeStarFloor();
// The tunnel tumbles from `spinFrom` seconds on, as the torus scene does.
std::unique_ptr<Floor> makeTorusFloor(bool withOverlay, double spinFrom);
std::unique_ptr<Floor> makeCubeGridFloor();

// The cube star's cubes where its arms put them at rest (model-view matrix,
// half edge): two central cubes, then six arms of eleven shrinking cubes.
using StarCubes = std::vector<std::pair<std::array<float, 16>, float>>;
StarCubes restingStarCubes(bool overlay);

class SongMap;
// Runs the stretch's floor in a fresh headless context over the clock
// readings the demo's frames of that stretch had.
FrameStats floorFrameTimes(const std::string& stretchName, const SongMap& song,
                           const std::vector<double>& seconds, const Settings& settings);

// Shared by the floor programs.
namespace floorgl {
// The model-view matrix that `place` builds from the identity.
template <typename Place>
std::array<float, 16> capture(Place place) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    place();
    std::array<float, 16> m{};
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    glPopMatrix();
    return m;
}
void points(const float* xyzw, int count);
// The 24 vertices of an axis-aligned cube of half edge h, one GL_QUADS.
void cube(float h);
void perspective(double aspect, double farPlane);
// Linear black fog from `start` to `end` (not enabled) and a black clear.
void blackFogAndClear(float start, float end);
void ortho(double left, double right, double bottom, double top, double zNear, double zFar);
}  // namespace floorgl
