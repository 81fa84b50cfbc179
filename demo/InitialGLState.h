// InitialGLState: the GL state every run of the demo starts from — what the
// demo sets once its context exists, and the projection the window sets on
// every resize. The window, the headless run and the test rigs all apply it
// through these two functions, so there is one copy of it.
#pragma once

// glClearColor white, smooth shading, depth test, nicest perspective.
void applyInitialGLState();

// The viewport over the whole window and the 45° perspective for its aspect
// (a height of 0 counts as 1). Leaves the matrix mode at GL_PROJECTION:
// every frame selects the model-view matrix itself.
void applyWindowProjection(int width, int height);
