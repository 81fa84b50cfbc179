// StillWriter: one PNG encoder kept open for every still of the run; each
// packet it gives is a whole PNG file.
#include "tools/capture/StillWriter.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

constexpr AVPixelFormat stillFormat = AV_PIX_FMT_RGB24;

std::string checkedFolder(const std::string& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error) || access(folder.c_str(), W_OK) != 0) {
        throw std::runtime_error("cannot write pictures into '" + folder +
                                 "': not a writable folder");
    }
    return folder;
}

ffmpeg::CodecContext pngEncoder(const FrameLayout& layout) {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_PNG);
    if (codec == nullptr)
        throw std::runtime_error("this FFmpeg has no png encoder, which stills need");
    ffmpeg::CodecContext context(
        ffmpeg::checkMade(avcodec_alloc_context3(codec), "avcodec_alloc_context3"));
    context->width = layout.width;
    context->height = layout.height;
    context->pix_fmt = stillFormat;
    context->time_base = AVRational{1, 1};
    context->flags |= AV_CODEC_FLAG_BITEXACT;
    ffmpeg::check(avcodec_open2(context.get(), codec, nullptr), "cannot open the png encoder");
    return context;
}

}  // namespace

StillWriter::StillWriter(const std::string& folder, int sourceWidth, int sourceHeight,
                         const FrameLayout& layout)
    : folder(checkedFolder(folder)),
      converter(sourceWidth, sourceHeight, layout, stillFormat),
      encoder(pngEncoder(layout)),
      picture(ffmpeg::videoFrame(stillFormat, layout.width, layout.height)),
      packet(ffmpeg::checkMade(av_packet_alloc(), "av_packet_alloc")) {}

std::string StillWriter::fileNameFor(const DemoMark& mark) {
    if (!mark.byPosition) return mark.text + "s.png";
    char name[32];
    std::snprintf(name, sizeof name, "%02u-%02u.png", mark.order, mark.row);
    return name;
}

std::string StillWriter::write(const std::uint8_t* rgba, const DemoMark& mark) {
    ffmpeg::check(av_frame_make_writable(picture.get()), "av_frame_make_writable");
    converter.convert(rgba, *picture);
    ffmpeg::check(avcodec_send_frame(encoder.get(), picture.get()), "the png encoder");
    ffmpeg::check(avcodec_receive_packet(encoder.get(), packet.get()), "the png encoder");
    const std::string path = (std::filesystem::path(folder) / fileNameFor(mark)).string();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(packet->data), packet->size);
    av_packet_unref(packet.get());
    if (!file.flush()) throw std::runtime_error("cannot write '" + path + "'");
    return path;
}
