// RecordingContext: the recording backend under the GL state model, and the
// context every gl*/glu* name of a recording test binary drives.
#include "tests/support/RecordingContext.h"

RecordingContext& RecordingContext::instance() {
    static RecordingContext context;
    return context;
}

webgl::Context& webgl::current() { return RecordingContext::instance().model; }

void RecordingContext::reset() {
    model.reset();
    model.keepTextureImages = true;
    model.powerOfTwoTexturesOnly = false;
    callLog.clear();
    primitiveLog.clear();
    misuseLog.clear();
    failNextGen = false;
}

void RecordingContext::call(const char* name, std::vector<double> args) {
    callLog.push_back({name, std::move(args)});
}

void RecordingContext::misuse(const std::string& what) { misuseLog.push_back(what); }

// The model-view matrix cannot change inside glBegin/glEnd, so the eye
// coordinates are those each vertex had when it was sent.
void RecordingContext::primitive(GLenum mode, const std::vector<webgl::Vertex>& vertices) {
    const webgl::Matrix& modelview = model.top(GL_MODELVIEW);
    recgl::Primitive recorded;
    recorded.mode = mode;
    recorded.vertices.reserve(vertices.size());
    for (const webgl::Vertex& v : vertices)
        recorded.vertices.push_back({v.position, modelview.apply(v.position), v.color, v.texCoord});
    primitiveLog.push_back(std::move(recorded));
}

bool RecordingContext::textureNamesAvailable() {
    const bool available = !failNextGen;
    failNextGen = false;
    return available;
}
