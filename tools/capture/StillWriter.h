// StillWriter: single frames of the demo as PNG pictures, encoded by
// libavcodec's PNG encoder, for the scene pictures of the README and for
// anyone who wants one moment of the demo on the wall.
#pragma once

#include <cstdint>
#include <string>

#include "tools/capture/CaptureOptions.h"
#include "tools/capture/FFmpegOwners.h"
#include "tools/capture/PictureConverter.h"

class StillWriter {
public:
    // Makes `folder` when it is missing. Throws std::runtime_error when it
    // cannot be made or written into, or there is no PNG encoder: before
    // anything is rendered.
    StillWriter(const std::string& folder, int sourceWidth, int sourceHeight,
                const FrameLayout& layout);

    // Writes the picture (RGBA, bottom row first) as the still for `mark`
    // and returns the file's path. A file that cannot be written whole is
    // removed, and the error names it.
    std::string write(const std::uint8_t* rgba, const DemoMark& mark);
    // The still's path in the folder.
    std::string pathFor(const DemoMark& mark) const;

    // ORDER:ROW → "OO-RR.png", seconds → "<as written>s.png".
    static std::string fileNameFor(const DemoMark& mark);

private:
    std::string folder;
    PictureConverter converter;
    ffmpeg::CodecContext encoder;
    ffmpeg::Frame picture;
    ffmpeg::Packet packet;
};
