// LayerScenes: the shared drawing of the layer-versus-Mesa rows.
#include "tests/webgl/LayerScenes.h"

#include <cmath>

void ortho(const GLApi& gl) {
    gl.glViewport(0, 0, W, H);
    gl.glMatrixMode(GL_PROJECTION);
    gl.glLoadIdentity();
    gl.glOrtho(0, W, 0, H, -1, 1);
    gl.glMatrixMode(GL_MODELVIEW);
    gl.glLoadIdentity();
    gl.glClearColor(0, 0, 0, 1);
    gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void perspective(const GLApi& gl) {
    gl.glViewport(0, 0, W, H);
    gl.glMatrixMode(GL_PROJECTION);
    gl.glLoadIdentity();
    gl.gluPerspective(45.0, 1.0, 0.1, 100.0);
    gl.glMatrixMode(GL_MODELVIEW);
    gl.glLoadIdentity();
    gl.glClearColor(0.1f, 0.1f, 0.2f, 1);
    gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void blend(const GLApi& gl) {
    gl.glEnable(GL_BLEND);
    gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void cube(const GLApi& gl, float h) {
    const float p = h, n = -h;
    const float faces[6][4][3] = {
        {{p, p, p}, {p, n, p}, {n, n, p}, {n, p, p}}, {{p, p, n}, {p, n, n}, {n, n, n}, {n, p, n}},
        {{p, p, p}, {p, n, p}, {p, n, n}, {p, p, n}}, {{n, p, p}, {n, n, p}, {n, n, n}, {n, p, n}},
        {{n, p, n}, {n, p, p}, {p, p, p}, {p, p, n}}, {{n, n, n}, {n, n, p}, {p, n, p}, {p, n, n}}};
    gl.glBegin(GL_QUADS);
    for (const auto& face : faces)
        for (const auto& v : face)
            gl.glVertex3f(v[0], v[1], v[2]);
    gl.glEnd();
}

void torus(const GLApi& gl, int rings, int segments, float ring, float tube) {
    const float pi = 3.14159265f;
    auto vertex = [&](int i, int j) {
        const float u = 2 * pi * float(i % rings) / float(rings);
        const float v = 2 * pi * float(j % segments) / float(segments);
        const float d = ring + tube * std::cos(v);
        gl.glVertex3f(-d * std::sin(u), d * std::cos(u), tube * std::sin(v));
    };
    for (int i = 0; i < rings; ++i) {
        gl.glBegin(GL_QUAD_STRIP);
        for (int j = 0; j <= segments; ++j) {
            vertex(i + 1, j);
            vertex(i, j);
        }
        gl.glEnd();
    }
}

void texturedQuad(const GLApi& gl, float x0, float y0, float x1, float y1, float s) {
    gl.glBegin(GL_QUADS);
    gl.glTexCoord2f(0, 0); gl.glVertex2f(x0, y0);
    gl.glTexCoord2f(s, 0); gl.glVertex2f(x1, y0);
    gl.glTexCoord2f(s, s); gl.glVertex2f(x1, y1);
    gl.glTexCoord2f(0, s); gl.glVertex2f(x0, y1);
    gl.glEnd();
}

GLuint checkerTexture(const GLApi& gl, GLint internalFormat, int w, int h) {
    std::vector<GLubyte> texels(std::size_t(w) * h * 4);
    for (int i = 0; i < w * h; ++i) {
        texels[i * 4 + 0] = GLubyte(40 * (i % 7));
        texels[i * 4 + 1] = GLubyte(255 - 30 * (i % 5));
        texels[i * 4 + 2] = GLubyte(i % 2 ? 255 : 60);
        texels[i * 4 + 3] = GLubyte(i % 3 ? 200 : 90);
    }
    GLuint name = 0;
    gl.glGenTextures(1, &name);
    gl.glBindTexture(GL_TEXTURE_2D, name);
    gl.glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                    texels.data());
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return name;
}

void fogged(const GLApi& gl, GLint mode) {
    perspective(gl);
    gl.glEnable(GL_DEPTH_TEST);
    const GLfloat colour[4] = {0.2f, 0.3f, 0.1f, 1};
    gl.glFogi(GL_FOG_MODE, mode);
    gl.glFogfv(GL_FOG_COLOR, colour);
    gl.glFogf(GL_FOG_DENSITY, mode == GL_EXP ? 0.15f : 0.08f);
    gl.glFogf(GL_FOG_START, 2);
    gl.glFogf(GL_FOG_END, 11);
    gl.glHint(GL_FOG_HINT, GL_FASTEST);
    gl.glEnable(GL_FOG);
    // A floor running from in front of the fog into it and out of it.
    gl.glBegin(GL_QUADS);
    gl.glColor3f(1, 0.8f, 0.6f); gl.glVertex3f(-3, -1.5f, -1);
    gl.glColor3f(0.6f, 1, 0.8f); gl.glVertex3f(3, -1.5f, -1);
    gl.glColor3f(1, 1, 1); gl.glVertex3f(3, -1.5f, -25);
    gl.glColor3f(0.8f, 0.6f, 1); gl.glVertex3f(-3, -1.5f, -25);
    gl.glEnd();
    gl.glColor3f(1, 1, 1);
    gl.glBegin(GL_LINES);
    for (int i = 0; i < 6; ++i) {
        gl.glVertex3f(-2.5f + i, 1.5f, -1.5f);
        gl.glVertex3f(-2.5f + i, -0.5f, -20);
    }
    gl.glEnd();
    gl.glPointSize(3);
    gl.glBegin(GL_POINTS);
    for (int i = 0; i < 8; ++i)
        gl.glVertex3f(0.5f * i - 2, 0.3f * i, -1.5f * i - 2);
    gl.glEnd();
}
