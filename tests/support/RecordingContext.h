// RecordingContext: the one in-process "GL context" behind the recording GL —
// the web layer's state model (webgl::Context) over a backend that keeps the
// call log, the collected primitives in eye space and the misuse reports.
#pragma once

#include "tests/support/RecordingGL.h"
#include "webgl/Backend.h"
#include "webgl/Context.h"

#include <string>
#include <vector>

class RecordingContext : public webgl::Backend {
public:
    static RecordingContext& instance();

    // A fresh model and empty logs; the fault switches off.
    void reset();

    bool tracesCalls() const override { return true; }
    void call(const char* name, std::vector<double> args) override;
    void misuse(const std::string& what) override;
    void primitive(GLenum mode, const std::vector<webgl::Vertex>& vertices) override;
    bool textureNamesAvailable() override;

    webgl::Context model{*this, {"Velmora", "Velmora recording GL", "1.1 Velmora recording GL"}};
    std::vector<recgl::Call> callLog;
    std::vector<recgl::Primitive> primitiveLog;
    std::vector<std::string> misuseLog;
    bool failNextGen = false;

private:
    RecordingContext() { reset(); }
};
