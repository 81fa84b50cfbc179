// PictureConverter: the demo's picture as read back from GL (RGBA, bottom row
// first) turned into an encoder's frame — pixel for pixel, blown up by a whole
// number with sharp pixels, or fitted with a smooth filter into a larger frame
// with black bars — in whatever pixel format the encoder takes.
#pragma once

#include <cstdint>

#include "tools/capture/FFmpegOwners.h"

// Where the picture sits in the frame.
struct FrameLayout {
    int width = 0;  // the frame
    int height = 0;
    int pictureX = 0;  // the picture inside it, from the top left
    int pictureY = 0;
    int pictureWidth = 0;
    int pictureHeight = 0;
    bool smooth = false;  // fitted with a filter rather than repeated pixels
};

// `scale` times the picture, or (fitWidth > 0) the picture fitted into
// fitWidth × fitHeight with its aspect kept, centred on even offsets.
FrameLayout frameLayout(int pictureWidth, int pictureHeight, int scale, int fitWidth,
                        int fitHeight);

class PictureConverter {
public:
    PictureConverter(int sourceWidth, int sourceHeight, const FrameLayout& layout,
                     AVPixelFormat format);

    // `rgba`: sourceWidth × sourceHeight pixels, bottom row first. The frame
    // must be writable, of the layout's size and the converter's format.
    void convert(const std::uint8_t* rgba, AVFrame& frame) const;

    const FrameLayout& layout() const { return frameLayoutUsed; }
    AVPixelFormat format() const { return pixelFormat; }

private:
    int sourceWidth;
    int sourceHeight;
    FrameLayout frameLayoutUsed;
    AVPixelFormat pixelFormat;
    ffmpeg::Scaler scaler;
};
