// The fixture of the objects' real-context checks: a 640 × 480 Mesa context
// under the scenes' screen-space projection, cleared to black, so each test
// starts from the state an overlay draw meets in the demo.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>

#include "shell/HeadlessContext.h"
#include "tests/support/GLQueries.h"

class OverlayRealGL : public ::testing::Test {
protected:
    void SetUp() override {
        context = std::make_unique<HeadlessContext>(640, 480);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-320.0, 320.0, -240.0, 240.0, -10.0, 200.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void TearDown() override { context.reset(); }

    std::unique_ptr<HeadlessContext> context;
};
