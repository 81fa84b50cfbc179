// The floors of the last three stretches: the fogged torus tunnel with its
// two wire insets (and the cube star overlay over it), and the cube lattice
// drawn twice around a 128 × 128 copy, zoom-blurred in 25 layers, with panels.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <vector>

#include "gfx/BitmapImage.h"
#include "gfx/DataPath.h"
#include "objects/WireTorus.h"
#include "objects/WobbleTorus.h"
#include "scenes/CubeGridScene.h"
#include "tools/benchmark/Floors.h"

using floorgl::capture;

namespace {

using Matrix = std::array<float, 16>;

void frameQuad(int left, int bottom, int right, int top) {
    glBegin(GL_QUADS);
    glVertex2i(left, bottom);
    glVertex2i(right, bottom);
    glVertex2i(right, top);
    glVertex2i(left, top);
    glEnd();
}

class TorusFloor : public Floor {
public:
    TorusFloor(bool withOverlay, double spinFrom) : overlay(withOverlay), spinFrom(spinFrom) {
        if (overlay) star = restingStarCubes(true);
        floorgl::blackFogAndClear(2.0f, 11.0f);
        glEnable(GL_LINE_SMOOTH);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDisable(GL_CULL_FACE);
        floorgl::perspective(640.0 / 480.0, 1000.0);
        insetPose = capture([] {
            glTranslatef(0.0f, 0.0f, -30.0f);
            glRotatef(40.0f, 1.0f, 0.0f, 0.0f);
            glRotatef(50.0f, 0.0f, 1.0f, 0.0f);
        });
    }

    void frame(int, double seconds) override {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glViewport(0, 0, 640, 461);
        const auto t = static_cast<float>(seconds * 6.0);
        const float d = seconds >= spinFrom ? t - static_cast<float>(spinFrom * 6.0) : 0.0f;
        const Matrix tunnelPose = capture([&] {
            glRotatef(1.8f * d, 1.0f, 0.0f, 0.0f);
            glRotatef(3.0f * d, 0.0f, 1.0f, 0.0f);
            glRotatef(1.9f * d, 0.0f, 0.0f, 1.0f);
            glTranslatef(0.0f, -8.5f, -6.0f);
            glRotatef(2.0f * t, 1.0f, 0.0f, 0.0f);
            glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        });
        glEnable(GL_FOG);
        glEnable(GL_DEPTH_TEST);
        glLoadIdentity();
        glColor3f(1.0f, 0.0f, 0.0f);
        glBegin(GL_LINES);
        for (int axis = 0; axis < 3; ++axis) {
            glVertex3f(0.0f, 0.0f, 0.0f);
            glVertex3f(axis == 0 ? 1.0f : 0.0f, axis == 1 ? 1.0f : 0.0f, axis == 2 ? 1.0f : 0.0f);
        }
        glEnd();
        glLoadMatrixf(tunnelPose.data());
        // Filled blue bands, then the lighter wireframe over them.
        for (const bool wire : {false, true}) {
            glColor4f(wire ? 0.6f : 0.2f, wire ? 0.6f : 0.4f, 0.9f, 0.5f);
            glPolygonMode(GL_FRONT_AND_BACK, wire ? GL_LINE : GL_FILL);
            bands();
        }

        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        floorgl::ortho(-320.0, 320.0, -240.0, 240.0, -1.0, 10.0);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        frameQuad(-280, -200, -160, -71);
        frameQuad(160, 82, 280, 211);
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);

        glDisable(GL_FOG);
        glDisable(GL_DEPTH_TEST);
        glColor4f(0.8f, 0.8f, 0.8f, 0.5f);
        glLoadMatrixf(insetPose.data());
        glViewport(40, 40, 120, 120);
        loops(loopTorus, false);
        glViewport(480, 310, 120, 123);
        loops(ringTorus, true);
        glViewport(0, 0, 640, 461);
        if (overlay) drawOverlay();
    }

private:
    void bands() const {
        const int rings = tunnel.ringCount;
        const int segments = tunnel.segmentCount;
        const float* v = tunnel.vertices.data();
        for (int i = 0; i < rings; ++i) {
            const int next = (i + 1) % rings;
            glBegin(GL_QUAD_STRIP);
            for (int j = 0; j <= segments; ++j) {
                glVertex3fv(v + 4 * (next * segments + j % segments));
                glVertex3fv(v + 4 * (i * segments + j % segments));
            }
            glEnd();
        }
    }

    static void loops(const WireTorus& torus, bool rings) {
        const int outer = rings ? torus.ringCount : torus.segmentCount;
        const int inner = rings ? torus.segmentCount : torus.ringCount;
        const float* v = torus.vertices.data();
        for (int a = 0; a < outer; ++a) {
            glBegin(GL_LINE_LOOP);
            for (int b = 0; b + 1 < inner; ++b) {
                for (int c = b; c <= b + 1; ++c) {
                    const int index = rings ? a * torus.segmentCount + c : c * torus.segmentCount + a;
                    glVertex3fv(v + 4 * index);
                }
            }
            glEnd();
        }
    }

    void drawOverlay() const {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glColor4f(0.4f, 0.4f, 0.9f, 0.78f);
        for (const auto& [pose, size] : star) {
            glLoadMatrixf(pose.data());
            floorgl::cube(size);
        }
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }

    bool overlay;
    double spinFrom;
    StarCubes star;
    WireTorus ringTorus{1.0f, 3.0f, 32, 3.0f, 40.0f};
    WireTorus loopTorus{1.0f, 3.0f, 32, 3.0f, 16.0f};
    WobbleTorus tunnel{1.0f, 3.0f, 128, 3.0f, 40.0f};
    Matrix insetPose{};
};

GLuint squareTexture(int size, const std::uint8_t* texels) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return name;
}

GLuint imageTexture(const char* file) {
    BitmapImage image;
    image.load(dataPath(file));
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, image.width, image.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 image.pixels.get());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return name;
}

class CubeGridFloor : public Floor {
public:
    CubeGridFloor() {
        std::vector<std::uint8_t> texels(128 * 128 * 4, 0);
        CubeGridScene::fillPatternTexels(texels.data());
        pattern = squareTexture(128, texels.data());
        blur = squareTexture(128, nullptr);
        banner = imageTexture("data/code.bmp");
        strip = imageTexture("data/shit.bmp");
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glDisable(GL_CULL_FACE);
        glDepthFunc(GL_LEQUAL);
        glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
        glEnable(GL_LINE_SMOOTH);
        glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < 5; ++j)
                for (int k = 0; k < 5; ++k) centres.push_back({27.0f * i - 54.0f, 27.0f * j - 54.0f, 27.0f * k - 54.0f});
    }
    ~CubeGridFloor() override {
        const GLuint names[4] = {pattern, blur, banner, strip};
        glDeleteTextures(4, names);
    }

    void frame(int, double seconds) override {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, 1.33333f, 0.1f, 5000.0);
        // The camera's path and the lattice's tumble, as the scene moves them.
        const double t = seconds;
        gluLookAt(200.0 * std::cos(t * 4.0 / 17.0), 200.0 * std::sin(t * 4.0 / 13.0),
                  200.0 * std::sin(0.8 * t), 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
        glRotatef(float(25.0 * std::cos(0.05 * t) + 180.0 * std::sin(0.1 * t)), 1.0f, 0.0f, 0.0f);
        glRotatef(float(20.5 * std::sin(t / 12.0) + 100.0 * std::cos(0.1 * t)), 0.0f, 1.0f, 0.0f);
        glRotatef(float(25.0 * std::cos(t / 60.0) + 130.0 * std::sin(0.125 * t)), 0.0f, 0.0f, 1.0f);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
        glBindTexture(GL_TEXTURE_2D, pattern);
        glViewport(0, 0, 128, 128);
        lattice();
        glBindTexture(GL_TEXTURE_2D, blur);
        glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, 128, 128, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glViewport(0, 0, 512, 384);
        glBindTexture(GL_TEXTURE_2D, pattern);
        lattice();

        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glBindTexture(GL_TEXTURE_2D, blur);
        floorgl::ortho(0.0, 512.0, 384.0, 0.0, -1.0, 1.0);
        glBegin(GL_QUADS);
        float s = 0.0f;
        float a = 0.2f;
        for (int layer = 0; layer < 25; ++layer, s += 0.015f, a -= 0.008f) {
            glColor4f(1.0f, 1.0f, 1.0f, a);
            glTexCoord2f(s, 1.0f - s); glVertex2f(0.0f, 0.0f);
            glTexCoord2f(s, s); glVertex2f(0.0f, 384.0f);
            glTexCoord2f(1.0f - s, s); glVertex2f(512.0f, 384.0f);
            glTexCoord2f(1.0f - s, 1.0f - s); glVertex2f(512.0f, 0.0f);
        }
        glEnd();
        glDisable(GL_BLEND);

        glViewport(0, 0, 640, 480);
        floorgl::ortho(-320.0, 320.0, -240.0, 240.0, -10.0, 200.0);
        panel(banner, {-320, 140, 80, 220});
        panel(strip, {220, -240, 320, 180});
    }

private:
    void lattice() const {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glColor4ub(64, 32, 255, 255);
        for (const auto& c : centres) texturedCube(c, 2.0f);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }

    static void texturedCube(const std::array<float, 3>& c, float h) {
        static const float faces[24][5] = {
            {0, 0, -1, -1, 1}, {1, 0, 1, -1, 1},  {1, 1, 1, 1, 1},    {0, 1, -1, 1, 1},
            {1, 0, -1, -1, -1}, {1, 1, -1, 1, -1}, {0, 1, 1, 1, -1},   {0, 0, 1, -1, -1},
            {0, 1, -1, 1, -1}, {0, 0, -1, 1, 1},  {1, 0, 1, 1, 1},     {1, 1, 1, 1, -1},
            {1, 1, -1, -1, -1}, {0, 1, 1, -1, -1}, {0, 0, 1, -1, 1},   {1, 0, -1, -1, 1},
            {1, 0, 1, -1, -1}, {1, 1, 1, 1, -1},  {0, 1, 1, 1, 1},     {0, 0, 1, -1, 1},
            {0, 0, -1, -1, -1}, {1, 0, -1, -1, 1}, {1, 1, -1, 1, 1},   {0, 1, -1, 1, -1}};
        glBegin(GL_QUADS);
        for (const auto& f : faces) {
            glTexCoord2f(f[0], f[1]);
            glVertex3f(c[0] + f[2] * h, c[1] + f[3] * h, c[2] + f[4] * h);
        }
        glEnd();
    }

    static void panel(GLuint texture, std::array<int, 4> box) {
        glBindTexture(GL_TEXTURE_2D, texture);
        glBegin(GL_QUADS);
        glTexCoord2i(0, 1); glVertex2i(box[0], box[1]);
        glTexCoord2i(1, 1); glVertex2i(box[2], box[1]);
        glTexCoord2i(1, 0); glVertex2i(box[2], box[3]);
        glTexCoord2i(0, 0); glVertex2i(box[0], box[3]);
        glEnd();
    }

    GLuint pattern = 0, blur = 0, banner = 0, strip = 0;
    std::vector<std::array<float, 3>> centres;
};

}  // namespace

std::unique_ptr<Floor> makeTorusFloor(bool withOverlay, double spinFrom) {
    return std::make_unique<TorusFloor>(withOverlay, spinFrom);
}
std::unique_ptr<Floor> makeCubeGridFloor() { return std::make_unique<CubeGridFloor>(); }
