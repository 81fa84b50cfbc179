// CubeGridScene: the closing lattice of wire cubes. Each frame renders the
// lattice at 128 × 128, copies that into a texture, renders it again at
// 512 × 384, lays the copy over it 25 times as a zoom blur, then the panels.
#include "scenes/CubeGridScene.h"

#include "gfx/DataPath.h"
#include "shell/CError.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <vector>

namespace {

// Bytes per texel of every texture the scene uploads.
constexpr int texelBytes = 4;

void uploadImageTexture(unsigned name, const BitmapImage& image) {
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, image.width, image.height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, image.pixels.get());
    // Errors are not acted on: a rejected size leaves the panel untextured.
    glGetError();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glGetError();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glGetError();
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glGetError();
}

unsigned uploadSquareTexture(const std::vector<std::uint8_t>& texels) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, CubeGridScene::textureSize,
                 CubeGridScene::textureSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return name;
}

}  // namespace

CubeGridScene::CubeGridScene() {
    try {
        bannerImage.load(dataPath("data/code.bmp"));
        stripImage.load(dataPath("data/shit.bmp"));
    } catch (...) {
        // The images are members and are released as the constructor unwinds.
        throw CError("Error loadin graphix");
    }
}

// Runs after the context may be gone; glDeleteTextures without a current
// context does nothing. The blur and pattern textures go with the context.
CubeGridScene::~CubeGridScene() {
    if (bannerTexture != 0) glDeleteTextures(1, &bannerTexture);
    if (stripTexture != 0) glDeleteTextures(1, &stripTexture);
}

void CubeGridScene::fillPatternTexels(std::uint8_t* texels) {
    for (int r = 0; r < textureSize; ++r) {
        for (int c = 0; c < textureSize; ++c) {
            const int v = ((r ^ c) * 4) % 256;
            std::uint8_t* texel = texels + (r * textureSize + c) * texelBytes;
            texel[0] = static_cast<std::uint8_t>(v);
            texel[1] = static_cast<std::uint8_t>(v + 1);
            texel[2] = static_cast<std::uint8_t>(v + 2);
        }
    }
}

unsigned CubeGridScene::createBlankTexture() {
    // Every frame overwrites this texture before it is sampled.
    std::vector<std::uint8_t> scratch(textureSize * textureSize * texelBytes, 0);
    return uploadSquareTexture(scratch);
}

unsigned CubeGridScene::createPatternTexture() {
    std::vector<std::uint8_t> texels(textureSize * textureSize * texelBytes, 0);
    fillPatternTexels(texels.data());
    return uploadSquareTexture(texels);
}

void CubeGridScene::start(float, int*) {
    glDisable(GL_FOG);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);

    glGenTextures(1, &bannerTexture);
    glGenTextures(1, &stripTexture);
    if (bannerTexture == 0 || stripTexture == 0) return;
    uploadImageTexture(bannerTexture, bannerImage);
    uploadImageTexture(stripTexture, stripImage);
    glEnable(GL_TEXTURE_2D);

    blurTexture = createBlankTexture();
    patternTexture = createPatternTexture();
}

void CubeGridScene::stop(float, int*) {}

void CubeGridScene::beginOrtho2D() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // Origin at the top left, y downwards.
    glOrtho(0.0, 512.0, 384.0, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void CubeGridScene::endOrtho2D() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void CubeGridScene::drawCube(float h, float x, float y, float z, float red,
                             float green, float blue, float alpha) {
    glColor4ub(static_cast<GLubyte>(static_cast<int>(red)),
               static_cast<GLubyte>(static_cast<int>(green)),
               static_cast<GLubyte>(static_cast<int>(blue)),
               static_cast<GLubyte>(static_cast<int>(alpha)));
    glBegin(GL_QUADS);
    // +Z
    glTexCoord2f(0, 0); glVertex3f(x - h, y - h, z + h);
    glTexCoord2f(1, 0); glVertex3f(x + h, y - h, z + h);
    glTexCoord2f(1, 1); glVertex3f(x + h, y + h, z + h);
    glTexCoord2f(0, 1); glVertex3f(x - h, y + h, z + h);
    // -Z
    glTexCoord2f(1, 0); glVertex3f(x - h, y - h, z - h);
    glTexCoord2f(1, 1); glVertex3f(x - h, y + h, z - h);
    glTexCoord2f(0, 1); glVertex3f(x + h, y + h, z - h);
    glTexCoord2f(0, 0); glVertex3f(x + h, y - h, z - h);
    // +Y
    glTexCoord2f(0, 1); glVertex3f(x - h, y + h, z - h);
    glTexCoord2f(0, 0); glVertex3f(x - h, y + h, z + h);
    glTexCoord2f(1, 0); glVertex3f(x + h, y + h, z + h);
    glTexCoord2f(1, 1); glVertex3f(x + h, y + h, z - h);
    // -Y
    glTexCoord2f(1, 1); glVertex3f(x - h, y - h, z - h);
    glTexCoord2f(0, 1); glVertex3f(x + h, y - h, z - h);
    glTexCoord2f(0, 0); glVertex3f(x + h, y - h, z + h);
    glTexCoord2f(1, 0); glVertex3f(x - h, y - h, z + h);
    // +X
    glTexCoord2f(1, 0); glVertex3f(x + h, y - h, z - h);
    glTexCoord2f(1, 1); glVertex3f(x + h, y + h, z - h);
    glTexCoord2f(0, 1); glVertex3f(x + h, y + h, z + h);
    glTexCoord2f(0, 0); glVertex3f(x + h, y - h, z + h);
    // -X
    glTexCoord2f(0, 0); glVertex3f(x - h, y - h, z - h);
    glTexCoord2f(1, 0); glVertex3f(x - h, y - h, z + h);
    glTexCoord2f(1, 1); glVertex3f(x - h, y + h, z + h);
    glTexCoord2f(0, 1); glVertex3f(x - h, y + h, z - h);
    glEnd();
}

void CubeGridScene::drawCubeGrid(float size, float gap) {
    const float pitch = size + gap;
    const float offset = 2.5f * pitch - 0.5f * pitch;
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j)
            for (int k = 0; k < 5; ++k)
                drawCube(size, i * pitch - offset, j * pitch - offset,
                         k * pitch - offset, 64.0f, 32.0f, 255.0f, 255.0f);
}

// The low-resolution pass lands in the bottom-left corner of the back buffer,
// is copied into the blur texture and then cleared away.
void CubeGridScene::renderToTexture() {
    glViewport(0, 0, textureSize, textureSize);
    glBindTexture(GL_TEXTURE_2D, patternTexture);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    drawCubeGrid(2.0f, 25.0f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glBindTexture(GL_TEXTURE_2D, blurTexture);
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, textureSize, textureSize, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, 512, 384);
}

void CubeGridScene::drawZoomBlur(int count, float step, unsigned texture,
                                 float offset) {
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, texture);
    beginOrtho2D();

    // Each layer magnifies the copy a little more and adds it more faintly.
    float s = 0.0f;
    float a = 0.2f;
    glBegin(GL_QUADS);
    for (int layer = 0; layer < count; ++layer) {
        glColor4f(1.0f, 1.0f, 1.0f, a);
        glTexCoord2f(s, 1.0f - s);
        glVertex2f(-offset, -offset);
        glTexCoord2f(s, s);
        glVertex2f(-offset, offset + 384.0f);
        glTexCoord2f(1.0f - s, s);
        glVertex2f(offset + 512.0f, offset + 384.0f);
        glTexCoord2f(1.0f - s, 1.0f - s);
        glVertex2f(offset + 512.0f, -offset);
        s += step;
        a -= 0.2f / static_cast<float>(count);
    }
    glEnd();

    endOrtho2D();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void CubeGridScene::draw(float time, int*) {
    if (!started) {
        start(time, nullptr);
        started = true;
    }
    glPushMatrix();

    // Camera and tumble both go on the projection matrix, so the model-view
    // stays identity for the lattice.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(45.0, 1.33333f, 0.1f, 5000.0);
    gluLookAt(200.0 * std::cos(time * 0.23529411764705882),
              200.0 * std::sin(time * 0.3076923076923077),
              200.0 * std::sin(0.8 * time), 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    // Single-precision factors; 0.083333336 and 0.016666668 are 1/12 and 1/60.
    const float a = 0.1f * time;
    const double tumbleX =
        25.0 * std::cos(static_cast<double>(0.05f * time)) + 180.0 * std::sin(static_cast<double>(a));
    const double tumbleY = 20.5 * std::sin(static_cast<double>(time * 0.083333336f)) +
                           100.0 * std::cos(static_cast<double>(a));
    const double tumbleZ = 25.0 * std::cos(static_cast<double>(time * 0.016666668f)) +
                           130.0 * std::sin(static_cast<double>(0.125f * time));
    glRotatef(static_cast<float>(tumbleX), 1.0f, 0.0f, 0.0f);
    glRotatef(static_cast<float>(tumbleY), 0.0f, 1.0f, 0.0f);
    glRotatef(static_cast<float>(tumbleZ), 0.0f, 0.0f, 1.0f);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glEnable(GL_LINE_SMOOTH);

    glBindTexture(GL_TEXTURE_2D, patternTexture);
    renderToTexture();
    glBindTexture(GL_TEXTURE_2D, patternTexture);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    drawCubeGrid(2.0f, 25.0f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    drawZoomBlur(25, 0.015f, blurTexture, 0.0f);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glLoadIdentity();

    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glViewport(0, 0, 640, 480);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-320.0, 320.0, -240.0, 240.0, -10.0, 200.0);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glMatrixMode(GL_MODELVIEW);

    // The current colour is the blur's last faint white; under GL_MODULATE
    // the panels keep the images' colours. Blending stays off: opaque panels.
    glBindTexture(GL_TEXTURE_2D, bannerTexture);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBegin(GL_QUADS);
    glTexCoord2i(0, 1); glVertex2i(-320, 140);
    glTexCoord2i(1, 1); glVertex2i(80, 140);
    glTexCoord2i(1, 0); glVertex2i(80, 220);
    glTexCoord2i(0, 0); glVertex2i(-320, 220);
    glEnd();

    // The strip shows its picture turned 90° counter-clockwise.
    glBindTexture(GL_TEXTURE_2D, stripTexture);
    glBegin(GL_QUADS);
    glTexCoord2i(0, 1); glVertex2i(320, -240);
    glTexCoord2i(1, 1); glVertex2i(320, 180);
    glTexCoord2i(1, 0); glVertex2i(220, 180);
    glTexCoord2i(0, 0); glVertex2i(220, -240);
    glEnd();

    // Matrix mode stays GL_PROJECTION; the next frame selects the model-view.
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glBindTexture(GL_TEXTURE_2D, 0);
    glEnable(GL_DEPTH_TEST);
}
