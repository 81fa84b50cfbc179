// A stand-in application object for the shell tests: records which of its
// operations the window procedure and the idle loop call, in order, and can
// be told to fail in a given operation.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "shell/CError.h"
#include "shell/GLApplication.h"

class ShellTestApp : public GLApplication {
public:
    std::vector<std::string> calls;
    int framesUntilEnd = -1;  // renderFrame returns true on this call (1-based); -1 never
    std::string failIn;       // operation that throws
    bool failWithCError = true;

    void shutdownGL() override { record("shutdownGL"); }
    void initGL() override { record("initGL"); }
    bool renderFrame() override {
        record("renderFrame");
        ++frames;
        return framesUntilEnd > 0 && frames >= framesUntilEnd;
    }
    void resize(int width, int height) override {
        record("resize " + std::to_string(width) + "x" + std::to_string(height));
    }

private:
    int frames = 0;

    void record(const std::string& call) {
        calls.push_back(call);
        if (!failIn.empty() && call.rfind(failIn, 0) == 0) {
            if (failWithCError) throw CError("Invalid pixel format");
            throw std::runtime_error("not a CError");
        }
    }
};
