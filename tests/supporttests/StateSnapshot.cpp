// StateSnapshot: the list of state values compared between Mesa and the
// recording GL, read through glGetFloatv, glGetIntegerv, glGetBooleanv,
// glIsEnabled and the texture queries.
#include "tests/supporttests/StateSnapshot.h"

#include <cmath>

namespace {

struct Query {
    const char* name;
    GLenum pname;
    int count;
};

// GL_READ_BUFFER and GL_DOUBLEBUFFER are left out: under Xvfb a fresh
// llvmpipe context now and then reports GL_FRONT and false for them although
// reading GL_BACK works.
const Query queries[] = {
    {"viewport", GL_VIEWPORT, 4},
    {"polygon mode", GL_POLYGON_MODE, 2},
    {"blend src", GL_BLEND_SRC, 1},
    {"blend dst", GL_BLEND_DST, 1},
    {"current colour", GL_CURRENT_COLOR, 4},
    {"current texcoord", GL_CURRENT_TEXTURE_COORDS, 4},
    {"point size", GL_POINT_SIZE, 1},
    {"line width", GL_LINE_WIDTH, 1},
    {"texture binding", GL_TEXTURE_BINDING_2D, 1},
    {"matrix mode", GL_MATRIX_MODE, 1},
    {"pack alignment", GL_PACK_ALIGNMENT, 1},
    {"unpack alignment", GL_UNPACK_ALIGNMENT, 1},
    {"clear colour", GL_COLOR_CLEAR_VALUE, 4},
    {"fog mode", GL_FOG_MODE, 1},
    {"fog density", GL_FOG_DENSITY, 1},
    {"fog start", GL_FOG_START, 1},
    {"fog end", GL_FOG_END, 1},
    {"fog colour", GL_FOG_COLOR, 4},
    {"depth func", GL_DEPTH_FUNC, 1},
    {"depth writemask", GL_DEPTH_WRITEMASK, 1},
    {"depth clear", GL_DEPTH_CLEAR_VALUE, 1},
    {"depth range", GL_DEPTH_RANGE, 2},
    {"front face", GL_FRONT_FACE, 1},
    {"cull face mode", GL_CULL_FACE_MODE, 1},
    {"shade model", GL_SHADE_MODEL, 1},
    {"perspective hint", GL_PERSPECTIVE_CORRECTION_HINT, 1},
    {"point smooth hint", GL_POINT_SMOOTH_HINT, 1},
    {"line smooth hint", GL_LINE_SMOOTH_HINT, 1},
    {"polygon smooth hint", GL_POLYGON_SMOOTH_HINT, 1},
    {"fog hint", GL_FOG_HINT, 1},
    {"modelview depth", GL_MODELVIEW_STACK_DEPTH, 1},
    {"projection depth", GL_PROJECTION_STACK_DEPTH, 1},
    {"texture depth", GL_TEXTURE_STACK_DEPTH, 1},
    {"attrib depth", GL_ATTRIB_STACK_DEPTH, 1},
    {"max modelview depth", GL_MAX_MODELVIEW_STACK_DEPTH, 1},
    {"max projection depth", GL_MAX_PROJECTION_STACK_DEPTH, 1},
    {"max texture depth", GL_MAX_TEXTURE_STACK_DEPTH, 1},
    {"max attrib depth", GL_MAX_ATTRIB_STACK_DEPTH, 1},
    {"modelview", GL_MODELVIEW_MATRIX, 16},
    {"projection", GL_PROJECTION_MATRIX, 16},
    {"texture matrix", GL_TEXTURE_MATRIX, 16},
};

const struct {
    const char* name;
    GLenum cap;
} capabilities[] = {
    {"GL_ALPHA_TEST", GL_ALPHA_TEST}, {"GL_BLEND", GL_BLEND},
    {"GL_CULL_FACE", GL_CULL_FACE}, {"GL_DEPTH_TEST", GL_DEPTH_TEST},
    {"GL_DITHER", GL_DITHER}, {"GL_FOG", GL_FOG}, {"GL_LIGHTING", GL_LIGHTING},
    {"GL_LINE_SMOOTH", GL_LINE_SMOOTH}, {"GL_POINT_SMOOTH", GL_POINT_SMOOTH},
    {"GL_POLYGON_SMOOTH", GL_POLYGON_SMOOTH}, {"GL_TEXTURE_2D", GL_TEXTURE_2D},
    {"GL_TEXTURE_GEN_S", GL_TEXTURE_GEN_S}, {"GL_TEXTURE_GEN_T", GL_TEXTURE_GEN_T},
    {"GL_SCISSOR_TEST", GL_SCISSOR_TEST}, {"GL_NORMALIZE", GL_NORMALIZE},
    {"GL_COLOR_MATERIAL", GL_COLOR_MATERIAL},
};

}  // namespace

Snapshot snapshot(const GLApi& gl) {
    Snapshot s;
    for (const Query& q : queries) {
        GLfloat values[16];
        gl.glGetFloatv(q.pname, values);
        for (int i = 0; i < q.count; ++i)
            s.push_back({std::string(q.name) + "[" + std::to_string(i) + "]", values[i]});
    }
    for (const auto& c : capabilities)
        s.push_back({c.name, double(gl.glIsEnabled(c.cap))});
    const GLenum integerQueries[] = {GL_CURRENT_COLOR, GL_COLOR_CLEAR_VALUE, GL_FOG_COLOR,
                                     GL_POINT_SIZE, GL_LINE_WIDTH, GL_FOG_START, GL_FOG_END};
    for (GLenum pname : integerQueries) {
        GLint values[4] = {0, 0, 0, 0};
        gl.glGetIntegerv(pname, values);
        for (int i = 0; i < 4; ++i)
            s.push_back({"integer " + std::to_string(pname) + "[" + std::to_string(i) + "]",
                         double(values[i])});
    }
    GLboolean flags[4] = {0, 0, 0, 0};
    gl.glGetBooleanv(GL_BLEND, flags);
    s.push_back({"boolean GL_BLEND", double(flags[0])});
    gl.glGetBooleanv(GL_DEPTH_WRITEMASK, flags);
    s.push_back({"boolean depth writemask", double(flags[0])});
    GLint texture[4] = {0, 0, 0, 0};
    gl.glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &texture[0]);
    gl.glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &texture[1]);
    gl.glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &texture[2]);
    gl.glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &texture[3]);
    for (int i = 0; i < 4; ++i)
        s.push_back({"bound texture " + std::to_string(i), double(texture[i])});
    GLint envMode = 0;
    gl.glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
    s.push_back({"texture env mode", double(envMode)});
    s.push_back({"error", double(gl.glGetError())});
    return s;
}

void expectSame(const Snapshot& mesa, const Snapshot& recorded, const std::string& what) {
    ASSERT_EQ(mesa.size(), recorded.size());
    for (std::size_t i = 0; i < mesa.size(); ++i) {
        const double scale = std::max(1.0, std::fabs(mesa[i].value));
        EXPECT_NEAR(recorded[i].value, mesa[i].value, 2e-6 * scale)
            << what << ": " << mesa[i].name;
    }
}
