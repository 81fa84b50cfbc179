// Floors: the runner that times a floor program in its own context, and the
// few GL helpers the floor programs share.
#include "tools/benchmark/Floors.h"

#include <GL/glu.h>

#include <stdexcept>

#include "demo/InitialGLState.h"
#include "shell/HeadlessContext.h"
#include "tools/benchmark/FrameTimes.h"
#include "tools/benchmark/SongMap.h"

namespace floorgl {

void points(const float* xyzw, int count) {
    glBegin(GL_POINTS);
    for (int m = 0; m < count; ++m) glVertex3fv(xyzw + 4 * m);
    glEnd();
}

void cube(float h) {
    static const float corners[24][3] = {
        {1, 1, 1},   {1, -1, 1},  {-1, -1, 1},  {-1, 1, 1},  {1, 1, -1},  {1, -1, -1},
        {-1, -1, -1}, {-1, 1, -1}, {1, 1, 1},   {1, -1, 1},  {1, -1, -1}, {1, 1, -1},
        {-1, 1, 1},  {-1, -1, 1}, {-1, -1, -1}, {-1, 1, -1}, {-1, 1, -1}, {-1, 1, 1},
        {1, 1, 1},   {1, 1, -1},  {-1, -1, -1}, {-1, -1, 1}, {1, -1, 1},  {1, -1, -1}};
    glBegin(GL_QUADS);
    for (const auto& c : corners) glVertex3f(c[0] * h, c[1] * h, c[2] * h);
    glEnd();
}

void blackFogAndClear(float start, float end) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, black);
    glFogf(GL_FOG_START, start);
    glFogf(GL_FOG_END, end);
}

void perspective(double aspect, double farPlane) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, aspect, 0.1, farPlane);
    glMatrixMode(GL_MODELVIEW);
}

void ortho(double left, double right, double bottom, double top, double zNear, double zFar) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(left, right, bottom, top, zNear, zFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

}  // namespace floorgl

namespace {

std::unique_ptr<Floor> makeFloor(const std::string& name, const SongMap& song) {
    const double spinFrom = song.secondsAt({cues::torusSpin, 0});
    if (name == "intro") return makeIntroFloor();
    if (name == "pulsing sphere") return makePulsingSphereFloor();
    if (name == "cube star") return makeCubeStarFloor();
    if (name == "torus") return makeTorusFloor(false, spinFrom);
    if (name == "torus + overlay") return makeTorusFloor(true, spinFrom);
    if (name == "cube grid") return makeCubeGridFloor();
    throw std::invalid_argument("no floor for the stretch " + name);
}

}  // namespace

FrameStats floorFrameTimes(const std::string& stretchName, const SongMap& song,
                           const std::vector<double>& seconds, const Settings& settings) {
    HeadlessContext context(settings.width, settings.height);
    applyInitialGLState();
    applyWindowProjection(settings.width, settings.height);
    const std::unique_ptr<Floor> floor = makeFloor(stretchName, song);
    std::vector<double> times;
    for (std::size_t k = 0; k < seconds.size(); ++k) {
        times.push_back(timedFrame([&] {
            floor->frame(static_cast<int>(k), seconds[k]);
            context.present();
        }));
    }
    return summarize(times);
}
