// The recording GL's OpenGL 1.1 entry points for drawing and fixed-function
// state: each is logged, checked the way Mesa checks it, and applied to the
// recorded state.
#include <GL/gl.h>

#include "tests/support/RecordingContext.h"

#include <algorithm>

namespace {

RecordingContext& gl() { return RecordingContext::instance(); }

bool isHintTarget(GLenum target) {
    return target == GL_PERSPECTIVE_CORRECTION_HINT || target == GL_POINT_SMOOTH_HINT ||
           target == GL_LINE_SMOOTH_HINT || target == GL_POLYGON_SMOOTH_HINT ||
           target == GL_FOG_HINT;
}

bool isBlendFactor(GLenum factor) {
    switch (factor) {
    case GL_ZERO: case GL_ONE: case GL_SRC_COLOR: case GL_ONE_MINUS_SRC_COLOR:
    case GL_DST_COLOR: case GL_ONE_MINUS_DST_COLOR: case GL_SRC_ALPHA:
    case GL_ONE_MINUS_SRC_ALPHA: case GL_DST_ALPHA: case GL_ONE_MINUS_DST_ALPHA:
    case GL_SRC_ALPHA_SATURATE:
        return true;
    default:
        return false;
    }
}

float clamp01(float v) { return v < 0 ? 0.0f : (v > 1 ? 1.0f : v); }

void setColor(const char* name, float r, float g, float b, float a, std::vector<double> args) {
    gl().enterAnywhere(name, std::move(args));
    gl().state.color = {r, g, b, a};
}

void setTexCoord(const char* name, float s, float t) {
    gl().enterAnywhere(name, {s, t});
    gl().state.texCoord = {s, t};
}

void vertex(const char* name, float x, float y, float z, float w, std::vector<double> args) {
    gl().enterAnywhere(name, std::move(args));
    gl().vertex(x, y, z, w);
}

void enable(const char* name, GLenum cap, bool on) {
    if (!gl().enter(name, {double(cap)}))
        return;
    if (!RecordingContext::isCapability(cap)) {
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe(name, cap));
        return;
    }
    gl().setEnabled(cap, on);
}

// values always holds four floats; count says how many the caller passed.
void fog(const char* name, GLenum pname, const float values[4], int count) {
    std::vector<double> args{double(pname)};
    args.insert(args.end(), values, values + count);
    if (!gl().enter(name, std::move(args)))
        return;
    recgl::State& s = gl().state;
    switch (pname) {
    case GL_FOG_MODE: {
        const auto mode = static_cast<GLint>(values[0]);
        if (mode != GL_LINEAR && mode != GL_EXP && mode != GL_EXP2) {
            gl().fail(GL_INVALID_ENUM, RecordingContext::describe("GL_FOG_MODE", mode));
            return;
        }
        s.fogMode = mode;
        return;
    }
    case GL_FOG_DENSITY:
        if (values[0] < 0) {
            gl().fail(GL_INVALID_VALUE, "negative GL_FOG_DENSITY");
            return;
        }
        s.fogDensity = values[0];
        return;
    case GL_FOG_START:
        s.fogStart = values[0];
        return;
    case GL_FOG_END:
        s.fogEnd = values[0];
        return;
    case GL_FOG_INDEX:
        return;
    case GL_FOG_COLOR:
        // Mesa takes the scalar forms too, as (param, 0, 0, 0).
        s.fogColor = {clamp01(values[0]), clamp01(values[1]), clamp01(values[2]),
                      clamp01(values[3])};
        return;
    default:
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe(name, pname));
    }
}

int fogValueCount(GLenum pname) { return pname == GL_FOG_COLOR ? 4 : 1; }

}  // namespace

extern "C" {

void glBegin(GLenum mode) {
    gl().enterAnywhere("glBegin", {double(mode)});
    gl().begin(mode);
}

void glEnd(void) {
    gl().enterAnywhere("glEnd", {});
    gl().end();
}

void glVertex2i(GLint x, GLint y) { vertex("glVertex2i", x, y, 0, 1, {double(x), double(y)}); }
void glVertex2f(GLfloat x, GLfloat y) { vertex("glVertex2f", x, y, 0, 1, {x, y}); }
void glVertex2d(GLdouble x, GLdouble y) {
    vertex("glVertex2d", float(x), float(y), 0, 1, {x, y});
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { vertex("glVertex3f", x, y, z, 1, {x, y, z}); }
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
    vertex("glVertex3d", float(x), float(y), float(z), 1, {x, y, z});
}
void glVertex3fv(const GLfloat* v) {
    vertex("glVertex3fv", v[0], v[1], v[2], 1, {v[0], v[1], v[2]});
}
void glVertex4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w) {
    vertex("glVertex4f", x, y, z, w, {x, y, z, w});
}

void glColor3f(GLfloat r, GLfloat g, GLfloat b) { setColor("glColor3f", r, g, b, 1, {r, g, b}); }
void glColor3fv(const GLfloat* v) { setColor("glColor3fv", v[0], v[1], v[2], 1, {v[0], v[1], v[2]}); }
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    setColor("glColor4f", r, g, b, a, {r, g, b, a});
}
void glColor4fv(const GLfloat* v) {
    setColor("glColor4fv", v[0], v[1], v[2], v[3], {v[0], v[1], v[2], v[3]});
}
void glColor3ub(GLubyte r, GLubyte g, GLubyte b) {
    setColor("glColor3ub", r / 255.0f, g / 255.0f, b / 255.0f, 1,
             {double(r), double(g), double(b)});
}
void glColor4ub(GLubyte r, GLubyte g, GLubyte b, GLubyte a) {
    setColor("glColor4ub", r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f,
             {double(r), double(g), double(b), double(a)});
}

void glTexCoord2f(GLfloat s, GLfloat t) { setTexCoord("glTexCoord2f", s, t); }
void glTexCoord2d(GLdouble s, GLdouble t) { setTexCoord("glTexCoord2d", float(s), float(t)); }
void glTexCoord2i(GLint s, GLint t) { setTexCoord("glTexCoord2i", float(s), float(t)); }
void glTexCoord2fv(const GLfloat* v) { setTexCoord("glTexCoord2fv", v[0], v[1]); }

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    gl().enterAnywhere("glNormal3f", {x, y, z});
    gl().state.normal = {x, y, z};
}

void glEdgeFlag(GLboolean flag) { gl().enterAnywhere("glEdgeFlag", {double(flag)}); }

void glPushAttrib(GLbitfield mask) {
    if (gl().enter("glPushAttrib", {double(mask)}))
        gl().pushAttrib(mask);
}

void glPopAttrib(void) {
    if (gl().enter("glPopAttrib", {}))
        gl().popAttrib();
}

void glEnable(GLenum cap) { enable("glEnable", cap, true); }
void glDisable(GLenum cap) { enable("glDisable", cap, false); }

void glBlendFunc(GLenum sfactor, GLenum dfactor) {
    if (!gl().enter("glBlendFunc", {double(sfactor), double(dfactor)}))
        return;
    // Mesa takes GL_SRC_ALPHA_SATURATE as a destination factor too.
    if (!isBlendFactor(sfactor) || !isBlendFactor(dfactor)) {
        gl().fail(GL_INVALID_ENUM, "glBlendFunc with an unknown factor");
        return;
    }
    gl().state.blendSrc = sfactor;
    gl().state.blendDst = dfactor;
}

void glPolygonMode(GLenum face, GLenum mode) {
    if (!gl().enter("glPolygonMode", {double(face), double(mode)}))
        return;
    if ((face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) ||
        (mode != GL_POINT && mode != GL_LINE && mode != GL_FILL)) {
        gl().fail(GL_INVALID_ENUM, "glPolygonMode with an unknown face or mode");
        return;
    }
    if (face != GL_BACK)
        gl().state.polygonModeFront = mode;
    if (face != GL_FRONT)
        gl().state.polygonModeBack = mode;
}

void glPointSize(GLfloat size) {
    if (!gl().enter("glPointSize", {size}))
        return;
    if (size <= 0) {
        gl().fail(GL_INVALID_VALUE, "glPointSize not above 0");
        return;
    }
    gl().state.pointSize = size;
}

void glLineWidth(GLfloat width) {
    if (!gl().enter("glLineWidth", {width}))
        return;
    if (width <= 0) {
        gl().fail(GL_INVALID_VALUE, "glLineWidth not above 0");
        return;
    }
    gl().state.lineWidth = width;
}

void glHint(GLenum target, GLenum mode) {
    if (!gl().enter("glHint", {double(target), double(mode)}))
        return;
    if (!isHintTarget(target) || (mode != GL_FASTEST && mode != GL_NICEST && mode != GL_DONT_CARE)) {
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe("glHint target", target));
        return;
    }
    gl().state.hints[target] = mode;
}

void glShadeModel(GLenum mode) {
    if (!gl().enter("glShadeModel", {double(mode)}))
        return;
    if (mode != GL_FLAT && mode != GL_SMOOTH) {
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe("glShadeModel", mode));
        return;
    }
    gl().state.shadeModel = mode;
}

void glClear(GLbitfield mask) {
    if (!gl().enter("glClear", {double(mask)}))
        return;
    const GLbitfield known =
        GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_ACCUM_BUFFER_BIT;
    if (mask & ~known)
        gl().fail(GL_INVALID_VALUE, "glClear with bits that name no buffer");
}

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    if (gl().enter("glClearColor", {r, g, b, a}))
        gl().state.clearColor = {clamp01(r), clamp01(g), clamp01(b), clamp01(a)};
}

void glClearDepth(GLclampd depth) {
    if (gl().enter("glClearDepth", {depth}))
        gl().state.clearDepth = clamp01(static_cast<float>(depth));
}

void glDepthFunc(GLenum func) {
    if (!gl().enter("glDepthFunc", {double(func)}))
        return;
    if (func < GL_NEVER || func > GL_ALWAYS) {
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe("glDepthFunc", func));
        return;
    }
    gl().state.depthFunc = func;
}

void glDepthMask(GLboolean flag) {
    if (gl().enter("glDepthMask", {double(flag)}))
        gl().state.depthMask = flag != GL_FALSE;
}

void glFrontFace(GLenum mode) {
    if (!gl().enter("glFrontFace", {double(mode)}))
        return;
    if (mode != GL_CW && mode != GL_CCW) {
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe("glFrontFace", mode));
        return;
    }
    gl().state.frontFace = mode;
}

void glCullFace(GLenum mode) {
    if (!gl().enter("glCullFace", {double(mode)}))
        return;
    if (mode != GL_FRONT && mode != GL_BACK && mode != GL_FRONT_AND_BACK) {
        gl().fail(GL_INVALID_ENUM, RecordingContext::describe("glCullFace", mode));
        return;
    }
    gl().state.cullFaceMode = mode;
}

void glFogf(GLenum pname, GLfloat param) {
    const float values[4] = {param, 0, 0, 0};
    fog("glFogf", pname, values, 1);
}

void glFogi(GLenum pname, GLint param) {
    const float values[4] = {static_cast<float>(param), 0, 0, 0};
    fog("glFogi", pname, values, 1);
}

void glFogfv(GLenum pname, const GLfloat* params) {
    float values[4] = {0, 0, 0, 0};
    const int n = fogValueCount(pname);
    std::copy(params, params + n, values);
    fog("glFogfv", pname, values, n);
}

void glFogiv(GLenum pname, const GLint* params) {
    float values[4] = {0, 0, 0, 0};
    const int n = fogValueCount(pname);
    for (int i = 0; i < n; ++i)
        values[i] = pname == GL_FOG_COLOR ? params[i] / 2147483647.0f : float(params[i]);
    fog("glFogiv", pname, values, n);
}

void glFlush(void) { gl().enter("glFlush", {}); }
void glFinish(void) { gl().enter("glFinish", {}); }

}  // extern "C"
