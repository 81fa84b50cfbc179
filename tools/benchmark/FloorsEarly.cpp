// The floors of the first three stretches: the intro's forty dot spheres and
// cylinder, the pulsing sphere over its band of discs, and the cube star
// rendered to a texture and shown on four panels.
#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "objects/Disc.h"
#include "objects/DotCylinder.h"
#include "objects/DotSphere.h"
#include "objects/PulsingSphere.h"
#include "tools/benchmark/Floors.h"

using floorgl::capture;

namespace {

using Matrix = std::array<float, 16>;

void blendedSmoothPoints() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_POINT_SMOOTH);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
}

class IntroFloor : public Floor {
public:
    IntroFloor() {
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glDisable(GL_CULL_FACE);
        blendedSmoothPoints();
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glColor4f(0.01f, 0.01f, 0.01f, 0.5f);
        const auto carousel = [] {
            glTranslatef(5.0f, -5.5f, -12.0f);
            glRotatef(-30.0f, 0.0f, 0.0f, 1.0f);
            glRotatef(30.0f, 1.0f, 0.0f, 0.0f);
        };
        cylinderPose = capture([&] {
            carousel();
            glTranslatef(-10.0f, 0.0f, 0.0f);
        });
        const float s = 1.5f;
        const float offsets[4][2] = {{-s, -s}, {s, -s}, {-s, s}, {s, s}};
        for (int group = 0; group < 10; ++group) {
            const float theta = 36.0f * static_cast<float>(group);
            for (const auto& offset : offsets) {
                spherePoses.push_back(capture([&] {
                    carousel();
                    glTranslatef(10.5f * std::cos(theta * 0.017453292f),
                                 10.5f * std::sin(theta * 0.017453292f), 0.0f);
                    glRotatef(theta, 0.0f, 0.0f, 1.0f);
                    glTranslatef(offset[0], 0.0f, offset[1]);
                }));
            }
        }
    }

    void frame(int, double) override {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_LINE_SMOOTH);
        glPointSize(3.0f);
        glLoadMatrixf(cylinderPose.data());
        floorgl::points(cylinder.points.get(), 40);
        glBegin(GL_QUAD_STRIP);
        for (int i = 0; i <= 20; ++i) {
            glVertex3fv(cylinder.points.get() + 4 * (i % 20));
            glVertex3fv(cylinder.points.get() + 4 * (i % 20 + 20));
        }
        glEnd();
        glDisable(GL_LINE_SMOOTH);
        glPointSize(5.0f);
        const float* p = sphere.points.get();
        for (const Matrix& pose : spherePoses) {
            glLoadMatrixf(pose.data());
            floorgl::points(p, sphere.pointCount);
            for (int s = 0; s + 1 < 20; ++s) {
                glBegin(GL_QUAD_STRIP);
                for (int k = 0; k < 20; ++k) {
                    glVertex3fv(p + 4 * (s * 20 + k));
                    glVertex3fv(p + 4 * (s * 20 + k + 1));
                }
                glEnd();
            }
        }
    }

private:
    DotSphere sphere{20.0f, 1.0f};
    DotCylinder cylinder{4.0f, 2, 4.0f, 20.0f};
    Matrix cylinderPose{};
    std::vector<Matrix> spherePoses;
};

class PulsingSphereFloor : public Floor {
public:
    PulsingSphereFloor() {
        floorgl::blackFogAndClear(12.0f, 15.0f);
        glDisable(GL_CULL_FACE);
        blendedSmoothPoints();
        glEnable(GL_LINE_SMOOTH);
        sphere.animate(0.0f);
        spherePose = capture([] { glTranslatef(0.0f, 0.0f, -15.0f); });
        float x = -320.0f;
        for (int i = 0; i < 12; ++i, x += 62.0f) {
            discPoses.push_back(capture([&] {
                glTranslatef(x, -150.0f, -100.0f);
                glRotatef(30.0f * static_cast<float>(i), 0.0f, 1.0f, 0.0f);
            }));
        }
    }

    void frame(int, double) override {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        floorgl::perspective(640.0 / 461.0, 10000.0);
        glEnable(GL_FOG);
        glEnable(GL_DEPTH_TEST);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glColor4f(1.0f, 0.6f, 1.0f, 0.4f);
        glPointSize(5.0f);
        glLoadMatrixf(spherePose.data());
        const float* p = sphere.livePoints.get();
        floorgl::points(p, sphere.pointCount);
        for (int r = 0; r + 1 < 40; ++r) {
            glBegin(GL_TRIANGLE_STRIP);
            for (int c = 0; c < 40; ++c) {
                const float* a = p + 4 * (r * 40 + c);
                glVertex3f(a[0], a[1], a[2]);
                glVertex3f(a[0], a[1], a[160 + 2]);
            }
            glEnd();
        }
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_FOG);
        floorgl::ortho(-320.0, 320.0, -240.0, 240.0, -10.0, 200.0);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glBegin(GL_LINES);
        for (int y : {-116, -184}) {
            for (int x : {-320, 320}) glVertex2i(x, y);
        }
        glEnd();
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glColor4f(0.8f, 0.6f, 1.0f, 0.4f);
        for (const Matrix& pose : discPoses) {
            glLoadMatrixf(pose.data());
            glBegin(GL_TRIANGLE_FAN);
            for (int i = 0; i <= 8; ++i) glVertex3fv(disc.vertices.get() + 4 * i);
            glVertex3fv(disc.vertices.get() + 4);
            glEnd();
        }
    }

private:
    PulsingSphere sphere;
    Disc disc{8, 30.0f};
    Matrix spherePose{};
    std::vector<Matrix> discPoses;
};

}  // namespace

StarCubes restingStarCubes(bool overlay) {
    const float k = 0.9f;
    const float centre[3] = {1.3f, 0.0f, overlay ? 1.51f : 2.02f};
    const float arms[6][3] = {{0, 0, 0}, {0, 90, 0}, {0, -90, 0}, {0, 180, 0}, {0, 0, 90}, {0, 0, -90}};
    const auto base = [&] {
        glTranslatef(0.0f, 0.0f, -15.0f);
        glTranslatef(centre[0] * k * 0.8f, centre[1] * k, centre[2] * k * 0.8f);
    };
    StarCubes cubes;
    cubes.push_back({capture(base), 0.8f});
    cubes.push_back(cubes.front());
    for (const auto& arm : arms) {
        std::vector<float> sizes;
        for (float s = 0.8f * k; sizes.size() < 11; s *= k) {
            sizes.push_back(s);
            // Each arm step moves on from the one before, as the arm does.
            cubes.push_back({capture([&] {
                                 base();
                                 glRotatef(arm[0], 1.0f, 0.0f, 0.0f);
                                 glRotatef(arm[1], 0.0f, 1.0f, 0.0f);
                                 glRotatef(arm[2], 0.0f, 0.0f, 1.0f);
                                 float q[3] = {centre[0], centre[1], centre[2]};
                                 for (float size : sizes) {
                                     for (float& c : q) c *= k;
                                     glTranslatef(q[0] * k * size, q[1] * k, q[2] * k * size);
                                 }
                             }),
                             s});
        }
    }
    return cubes;
}

namespace {

class CubeStarFloor : public Floor {
public:
    CubeStarFloor() : cubes(restingStarCubes(false)) {
        floorgl::blackFogAndClear(12.0f, 15.0f);
        glDisable(GL_CULL_FACE);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, 4, 256, 256, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }
    ~CubeStarFloor() override { glDeleteTextures(1, &texture); }

    void frame(int, double) override {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glViewport(0, 0, 256, 256);
        floorgl::perspective(1.0, 1000.0);
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_FOG);
        glDisable(GL_BLEND);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        for (std::size_t i = 0; i < cubes.size(); ++i) {
            if (i == 1) {
                glEnable(GL_BLEND);
                glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            }
            glLoadMatrixf(cubes[i].first.data());
            glColor4f(0.3f, 0.4f, cubes[i].second, 0.18f);
            floorgl::cube(cubes[i].second);
            if (i >= 2) {
                glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
                glColor4f(0.05f, 0.05f, 0.1f, 1.0f);
                floorgl::cube(cubes[i].second);
                glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            }
        }
        glDisable(GL_BLEND);
        glEnable(GL_FOG);
        glBindTexture(GL_TEXTURE_2D, texture);
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, 256, 256);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glViewport(0, 0, 640, 480);
        floorgl::ortho(-320.0, 320.0, -240.0, 240.0, -1.0, 10.0);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        const float panels[4][5] = {{-320, -240, 320, 240, -10}, {-200, -200, 0, 0, -9},
                                    {-100, -100, 50, 50, -9},    {0, 0, 100, 100, -8}};
        glBegin(GL_QUADS);
        for (const auto& q : panels) {
            glTexCoord2f(0, 0); glVertex3f(q[0], q[1], q[4]);
            glTexCoord2f(1, 0); glVertex3f(q[2], q[1], q[4]);
            glTexCoord2f(1, 1); glVertex3f(q[2], q[3], q[4]);
            glTexCoord2f(0, 1); glVertex3f(q[0], q[3], q[4]);
        }
        glEnd();
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glBindTexture(GL_TEXTURE_2D, 0);
        glBegin(GL_QUADS);
        for (int i = 1; i < 4; ++i) {
            const auto& q = panels[i];
            glVertex3f(q[0], q[1], -7);
            glVertex3f(q[2], q[1], -7);
            glVertex3f(q[2], q[3], -7);
            glVertex3f(q[0], q[3], -7);
        }
        glEnd();
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }

private:
    StarCubes cubes;
    GLuint texture = 0;
};

}  // namespace

std::unique_ptr<Floor> makeIntroFloor() { return std::make_unique<IntroFloor>(); }
std::unique_ptr<Floor> makePulsingSphereFloor() {
    return std::make_unique<PulsingSphereFloor>();
}
std::unique_ptr<Floor> makeCubeStarFloor() { return std::make_unique<CubeStarFloor>(); }
