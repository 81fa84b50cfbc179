// CubeGridScene: the last scene (orders 30 to 39). A lattice of textured wire
// cubes tumbles before a camera on a Lissajous path, glowing through a zoom
// blur of a low-resolution copy, framed by two bitmap panels.
#pragma once

#include "demo/Scene.h"
#include "gfx/BitmapImage.h"

#include <cstdint>

class CubeGridScene : public Scene {
public:
    // Loads data/code.bmp and data/shit.bmp; throws CError
    // "Error loadin graphix" when either cannot be read.
    CubeGridScene();
    virtual ~CubeGridScene();

    void draw(float time, int* frameCounter) override;
    void start(float time, int* frameCounter) override;
    void stop(float time, int* frameCounter) override;

    // Side of the square pattern and blur textures, in texels.
    static constexpr int textureSize = 128;
    // Fills `texels` (textureSize × textureSize × 4 bytes) with the grey XOR
    // ramp put on the cubes; the fourth byte of each texel is left alone.
    static void fillPatternTexels(std::uint8_t* texels);

    unsigned blurTexture = 0;
    unsigned patternTexture = 0;
    BitmapImage bannerImage;
    unsigned bannerTexture = 0;
    BitmapImage stripImage;
    unsigned stripTexture = 0;

    unsigned createBlankTexture();
    unsigned createPatternTexture();
    void beginOrtho2D();
    void endOrtho2D();
    void drawCube(float h, float x, float y, float z, float red, float green,
                  float blue, float alpha);
    void drawCubeGrid(float size, float gap);
    void renderToTexture();
    void drawZoomBlur(int count, float step, unsigned texture, float offset);
};
