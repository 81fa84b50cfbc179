// RecordingGL: what a test sees of the recording GL: the call log, the
// collected primitives, the state, misuse reports and a few fault switches.
#include "tests/support/RecordingGL.h"

#include "tests/support/RecordingContext.h"

namespace recgl {

namespace {
RecordingContext& context() { return RecordingContext::instance(); }
}  // namespace

void reset() { context().reset(); }

void clearLog() {
    context().callLog.clear();
    context().primitiveLog.clear();
    context().misuseLog.clear();
}

const std::vector<Call>& calls() { return context().callLog; }

const std::vector<Primitive>& primitives() { return context().primitiveLog; }

const State& state() { return context().model.state(); }

bool isEnabled(GLenum cap) { return context().model.enabled(cap); }

std::array<float, 16> matrix(GLenum mode) { return context().model.top(mode).m; }

int count(const std::string& name) {
    int n = 0;
    for (const Call& call : context().callLog)
        if (call.name == name)
            ++n;
    return n;
}

std::vector<Call> callsNamed(const std::string& name) {
    std::vector<Call> result;
    for (const Call& call : context().callLog)
        if (call.name == name)
            result.push_back(call);
    return result;
}

const std::vector<std::string>& misuse() { return context().misuseLog; }

void failNextGenTextures() { context().failNextGen = true; }

GLenum hint(GLenum target) {
    const auto& hints = context().model.state().hints;
    auto it = hints.find(target);
    return it == hints.end() ? GLenum(GL_DONT_CARE) : it->second;
}

const Texture* texture(GLuint name) {
    if (name == 0)
        return nullptr;
    return context().model.findTexture(name);
}

std::vector<GLuint> liveTextures() {
    std::vector<GLuint> names;
    for (const auto& entry : context().model.textures())
        names.push_back(entry.first);
    return names;
}

void requirePowerOfTwoTextures(bool on) { context().model.powerOfTwoTexturesOnly = on; }

GLenum pendingError() { return context().model.pendingError(); }

}  // namespace recgl
