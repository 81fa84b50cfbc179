// StillWriter: one PNG encoder kept open for every still of the run; each
// packet it gives is a whole PNG file.
#include "tools/capture/StillWriter.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {

constexpr AVPixelFormat stillFormat = AV_PIX_FMT_RGB24;

std::string checkedFolder(const std::string& folder) {
    std::error_code error;
    if (!std::filesystem::exists(folder, error) &&
        !std::filesystem::create_directories(folder, error) && error) {
        throw std::runtime_error("cannot make the folder '" + folder + "': " + error.message());
    }
    if (!std::filesystem::is_directory(folder, error) || access(folder.c_str(), W_OK) != 0) {
        throw std::runtime_error("cannot write pictures into '" + folder +
                                 "': not a writable folder");
    }
    return folder;
}

// The whole file or none of it.
void writeWhole(const std::string& path, const std::uint8_t* bytes, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        throw std::runtime_error("cannot write '" + path + "': " + std::strerror(errno));
    }
    const bool written = std::fwrite(bytes, 1, size, file) == size;
    int why = errno;
    const bool closed = std::fclose(file) == 0;
    if (written && closed) return;
    if (written) why = errno;
    std::remove(path.c_str());
    throw std::runtime_error("cannot write '" + path + "': " + std::strerror(why) +
                             "; the unfinished file was removed");
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
    const std::string path = pathFor(mark);
    try {
        writeWhole(path, packet->data, static_cast<std::size_t>(packet->size));
    } catch (...) {
        av_packet_unref(packet.get());
        throw;
    }
    av_packet_unref(packet.get());
    return path;
}

std::string StillWriter::pathFor(const DemoMark& mark) const {
    return (std::filesystem::path(folder) / fileNameFor(mark)).string();
}
