// WhiteFlash: the beat flash of the pulsing sphere and cube star scenes — a
// white quad over the whole 640 × 480 overlay space, blended so the screen
// shows white × (1 − alpha) + picture × alpha.
#pragma once

// Leaves the matrix mode at GL_PROJECTION and the blend function reversed on
// purpose: the next frame selects the model-view matrix before drawing, and
// the next blending draw sets its own factors.
void drawWhiteFlash(float alpha);
