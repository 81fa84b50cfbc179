// StateSnapshot: every GL state value the demo touches, read back through
// glGet* from either back-end, and the fixture that runs one call sequence
// on Mesa and on the recording GL and compares the two snapshots.
#pragma once

#include <gtest/gtest.h>

#include "shell/HeadlessContext.h"
#include "tests/supporttests/RecordingModule.h"

#include <functional>
#include <string>
#include <vector>

struct Value {
    std::string name;
    double value;
};
using Snapshot = std::vector<Value>;

Snapshot snapshot(const GLApi& gl);

// One failure per value that differs beyond float rounding, naming it.
void expectSame(const Snapshot& mesa, const Snapshot& recorded, const std::string& what);

class RealVsRecordingTest : public ::testing::Test {
protected:
    HeadlessContext context{640, 480};
    RecordingModule recording{VELMORA_RECORDING_GL_MODULE};
    GLApi real = realGLApi();

    // Runs the sequence on both and compares what each reports afterwards.
    void expectSameState(const std::function<void(const GLApi&)>& sequence,
                         const std::string& what) {
        recording.reset();
        sequence(real);
        sequence(recording.api());
        expectSame(snapshot(real), snapshot(recording.api()), what);
    }
};
