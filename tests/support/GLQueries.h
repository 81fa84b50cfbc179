// GLQueries: reading state back from whichever GL the test links (Mesa or the
// recording stand-in), in the one form every state check compares against.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>

namespace glq {

inline GLint integer(GLenum what) {
    GLint values[4] = {0, 0, 0, 0};
    glGetIntegerv(what, values);
    return values[0];
}

inline float real(GLenum what) {
    GLfloat values[4] = {0, 0, 0, 0};
    glGetFloatv(what, values);
    return values[0];
}

inline bool enabled(GLenum cap) { return glIsEnabled(cap) == GL_TRUE; }

inline std::array<GLint, 2> polygonMode() {
    std::array<GLint, 2> modes{0, 0};
    glGetIntegerv(GL_POLYGON_MODE, modes.data());
    return modes;
}

inline std::array<float, 4> color() {
    std::array<float, 4> c{};
    glGetFloatv(GL_CURRENT_COLOR, c.data());
    return c;
}

// A draw must leave both stacks where it found them and raise no GL error.
inline void expectBalanced() {
    EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), 1);
    EXPECT_EQ(integer(GL_ATTRIB_STACK_DEPTH), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace glq
