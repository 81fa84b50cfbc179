// PictureConverter: the frame layout arithmetic and one swscale pass from the
// read-back picture straight into the encoder's frame.
#include "tools/capture/PictureConverter.h"

extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
}

#include <algorithm>

namespace {

int evenDown(int value) { return value & ~1; }

}  // namespace

FrameLayout frameLayout(int pictureWidth, int pictureHeight, int scale, int fitWidth,
                        int fitHeight) {
    FrameLayout layout;
    if (fitWidth <= 0) {
        layout.width = layout.pictureWidth = pictureWidth * scale;
        layout.height = layout.pictureHeight = pictureHeight * scale;
        return layout;
    }
    layout.width = fitWidth;
    layout.height = fitHeight;
    layout.smooth = true;
    // Even sizes and offsets keep the bars exact in subsampled chroma planes.
    if (std::int64_t(fitWidth) * pictureHeight >= std::int64_t(fitHeight) * pictureWidth) {
        layout.pictureHeight = fitHeight;
        layout.pictureWidth =
            std::min(fitWidth, evenDown(fitHeight * pictureWidth / pictureHeight));
    } else {
        layout.pictureWidth = fitWidth;
        layout.pictureHeight =
            std::min(fitHeight, evenDown(fitWidth * pictureHeight / pictureWidth));
    }
    layout.pictureX = evenDown((fitWidth - layout.pictureWidth) / 2);
    layout.pictureY = evenDown((fitHeight - layout.pictureHeight) / 2);
    return layout;
}

PictureConverter::PictureConverter(int sourceWidth, int sourceHeight, const FrameLayout& layout,
                                   AVPixelFormat format)
    : sourceWidth(sourceWidth),
      sourceHeight(sourceHeight),
      frameLayoutUsed(layout),
      pixelFormat(format) {
    // Enlarged by a whole number the pixels stay sharp blocks; at the same
    // size a bilinear filter only averages the subsampled chroma.
    const bool enlarged =
        layout.pictureWidth != sourceWidth || layout.pictureHeight != sourceHeight;
    const int flags = (layout.smooth ? SWS_BICUBIC
                       : enlarged    ? SWS_POINT
                                     : SWS_BILINEAR) |
                      SWS_ACCURATE_RND | SWS_BITEXACT;
    // RGB0: the demo's alpha channel means nothing on screen.
    scaler.reset(ffmpeg::checkMade(
        sws_getContext(sourceWidth, sourceHeight, AV_PIX_FMT_RGB0, layout.pictureWidth,
                       layout.pictureHeight, format, flags, nullptr, nullptr, nullptr),
        "sws_getContext"));
}

void PictureConverter::convert(const std::uint8_t* rgba, AVFrame& frame) const {
    const FrameLayout& layout = frameLayoutUsed;
    const bool bars = layout.pictureWidth != layout.width || layout.pictureHeight != layout.height;
    if (bars) {
        const std::ptrdiff_t linesizes[4] = {frame.linesize[0], frame.linesize[1],
                                             frame.linesize[2], frame.linesize[3]};
        ffmpeg::check(av_image_fill_black(frame.data, linesizes, pixelFormat, AVCOL_RANGE_MPEG,
                                          layout.width, layout.height),
                      "av_image_fill_black");
    }
    // The picture's top left in every plane of the frame.
    const AVPixFmtDescriptor* description = av_pix_fmt_desc_get(pixelFormat);
    std::uint8_t* planes[4] = {};
    for (int plane = 0; plane < 4 && frame.data[plane] != nullptr; ++plane) {
        const bool chroma = (plane == 1 || plane == 2) &&
                            (description->flags & AV_PIX_FMT_FLAG_PLANAR) &&
                            !(description->flags & AV_PIX_FMT_FLAG_RGB);
        const int row = chroma ? layout.pictureY >> description->log2_chroma_h : layout.pictureY;
        const int columnBytes =
            layout.pictureX == 0 ? 0 : av_image_get_linesize(pixelFormat, layout.pictureX, plane);
        planes[plane] =
            frame.data[plane] + std::ptrdiff_t(row) * frame.linesize[plane] + columnBytes;
    }
    // Read bottom-up: start at the last row and step backwards.
    const int stride = sourceWidth * 4;
    const std::uint8_t* source[4] = {rgba + std::ptrdiff_t(sourceHeight - 1) * stride, nullptr,
                                     nullptr, nullptr};
    const int sourceStrides[4] = {-stride, 0, 0, 0};
    sws_scale(scaler.get(), source, sourceStrides, 0, sourceHeight, planes, frame.linesize);
}
