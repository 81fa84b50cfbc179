// RecordingModule: the recording GL loaded from its module beside Mesa, with
// its own reset and primitive log reached by dlsym.
#pragma once

#include "tests/support/GLApi.h"
#include "tests/support/RecordingGL.h"

#include <string>
#include <vector>

class RecordingModule {
public:
    explicit RecordingModule(const std::string& path);  // throws std::runtime_error

    const GLApi& api() const { return module.api(); }
    void reset() const { resetEntry(); }
    const std::vector<recgl::Primitive>& primitives() const { return *primitivesEntry(); }

private:
    GLModule module;
    void (*resetEntry)() = nullptr;
    const std::vector<recgl::Primitive>* (*primitivesEntry)() = nullptr;
};

inline RecordingModule::RecordingModule(const std::string& path)
    : module(path),
      resetEntry(reinterpret_cast<void (*)()>(module.symbol("velmoraRecordingReset"))),
      primitivesEntry(reinterpret_cast<const std::vector<recgl::Primitive>* (*)()>(
          module.symbol("velmoraRecordingPrimitives"))) {}
