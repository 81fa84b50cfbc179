// VideoFile: the table of containers the tool writes, and the file's life:
// encoders opened, header, pictures and sound in step, trailer.
#include "tools/capture/VideoFile.h"

extern "C" {
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <stdexcept>

namespace {

constexpr int defaultCrf = 20;  // a little better than x264's own 23: the dots are fine

// The muxer options each container is written with: mp4 puts its index
// first so a shared file starts playing at once; an animated preview loops.
struct ContainerEntry {
    ContainerFormat format;
    const char* muxerOptions;
};

const ContainerEntry containers[] = {
    {{".mp4", "mp4", "libx264", AV_PIX_FMT_YUV420P, "aac", AV_SAMPLE_FMT_FLTP, 0, 192000},
     "movflags=+faststart"},
    {{".mkv", "matroska", "ffv1", AV_PIX_FMT_BGR0, "flac", AV_SAMPLE_FMT_S32, 24, 0}, ""},
    {{".webp", "webp", "libwebp_anim", AV_PIX_FMT_YUV420P, nullptr, AV_SAMPLE_FMT_NONE, 0, 0},
     "loop=0"},
};

const ContainerEntry* entryFor(const std::string& fileName) {
    std::string lower = fileName;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const ContainerEntry& entry : containers) {
        const std::string extension = entry.format.extension;
        if (lower.size() > extension.size() &&
            lower.compare(lower.size() - extension.size(), extension.size(), extension) == 0) {
            return &entry;
        }
    }
    return nullptr;
}

const AVCodec& encoderFor(const char* name, const char* extension) {
    const AVCodec* codec = avcodec_find_encoder_by_name(name);
    if (codec == nullptr) {
        throw std::runtime_error(std::string("this FFmpeg has no ") + name + " encoder, which " +
                                 extension + " files need");
    }
    return *codec;
}

// Matroska states a frame rate as a frame's duration in whole nanoseconds,
// which FFmpeg's reader turns back into a fraction of terms up to 30000:
// 60000/1001 would come back as 19001/317. Where that loses the rate it is
// not stated, and readers find it from the timestamps, as they do the
// 1001-based rates.
bool rateSurvives(const char* muxer, const FrameRate& rate) {
    constexpr std::int64_t nanoseconds = 1000000000;
    constexpr std::int64_t largestTerm = 30000;
    return std::string(muxer) != "matroska" ||
           (rate.numerator <= largestTerm && rate.denominator <= largestTerm &&
            nanoseconds * rate.denominator % rate.numerator == 0);
}

bool isYuv(AVPixelFormat format) {
    const AVPixFmtDescriptor* description = av_pix_fmt_desc_get(format);
    return !(description->flags & AV_PIX_FMT_FLAG_RGB) && description->nb_components >= 3;
}

}  // namespace

const ContainerFormat* containerFor(const std::string& fileName) {
    const ContainerEntry* entry = entryFor(fileName);
    return entry != nullptr ? &entry->format : nullptr;
}

VideoFile::VideoFile(const Settings& wanted)
    : settings(wanted), container(containerFor(wanted.path)) {
    if (container == nullptr) {
        throw OptionError("unknown container for '" + settings.path +
                          "': the name must end in .mp4, .mkv or .webp");
    }
    std::error_code error;
    if (!settings.overwrite && std::filesystem::exists(settings.path, error)) {
        throw std::runtime_error("'" + settings.path +
                                 "' is already there; --overwrite (-y) replaces it");
    }
    const AVCodec& videoCodec = encoderFor(container->videoEncoder, container->extension);
    const AVCodec* audioCodec = container->audioEncoder != nullptr
                                    ? &encoderFor(container->audioEncoder, container->extension)
                                    : nullptr;
    if (settings.crf && videoCodec.id != AV_CODEC_ID_H264) {
        throw std::runtime_error(std::string("--crf sets the H.264 quality; ") +
                                 container->extension + " files are not H.264");
    }
    AVFormatContext* made = nullptr;
    ffmpeg::check(
        avformat_alloc_output_context2(&made, nullptr, container->muxer, settings.path.c_str()),
        std::string("no ") + container->muxer + " muxer in this FFmpeg");
    output.reset(made);
    output->flags |= AVFMT_FLAG_BITEXACT;

    video = std::make_unique<EncodedStream>(*output, videoCodec);
    AVCodecContext& context = video->context();
    const FrameLayout& layout = settings.layout;
    context.width = layout.width;
    context.height = layout.height;
    context.pix_fmt = container->pixelFormat;
    const FrameRate& rate = settings.rate;
    context.time_base =
        AVRational{static_cast<int>(rate.denominator), static_cast<int>(rate.numerator)};
    context.framerate =
        AVRational{static_cast<int>(rate.numerator), static_cast<int>(rate.denominator)};
    // A key frame every two seconds: seekable, yet small.
    context.gop_size =
        std::max(1, static_cast<int>(std::lround(2.0 * rate.numerator / rate.denominator)));
    if (isYuv(container->pixelFormat)) {
        // What swscale's default conversion produces: BT.601, limited range.
        context.colorspace = AVCOL_SPC_SMPTE170M;
        context.color_primaries = AVCOL_PRI_SMPTE170M;
        context.color_trc = AVCOL_TRC_SMPTE170M;
        context.color_range = AVCOL_RANGE_MPEG;
    }
    if (videoCodec.id == AV_CODEC_ID_H264) {
        ffmpeg::check(
            av_opt_set_double(context.priv_data, "crf", settings.crf.value_or(defaultCrf), 0),
            "the H.264 quality (crf)");
    }
    video->open(rateSurvives(container->muxer, rate));
    converter = std::make_unique<PictureConverter>(settings.sourceWidth, settings.sourceHeight,
                                                   layout, container->pixelFormat);
    picture = ffmpeg::videoFrame(container->pixelFormat, layout.width, layout.height);
    if (audioCodec != nullptr) {
        audio = std::make_unique<AudioEncoder>(*output, *audioCodec, container->sampleFormat,
                                               container->sampleBits, container->audioBitRate);
    }
}

VideoFile::~VideoFile() { discard(); }

bool VideoFile::discard() {
    if (!opened || complete) return false;
    opened = false;
    avio_closep(&output->pb);
    // Only what this run created goes: not a device or a pipe named as the output.
    std::error_code error;
    if (!std::filesystem::is_regular_file(settings.path, error)) return false;
    return std::filesystem::remove(settings.path, error);
}

void VideoFile::open() {
    ffmpeg::check(avio_open(&output->pb, settings.path.c_str(), AVIO_FLAG_WRITE),
                  "cannot write '" + settings.path + "'");
    opened = true;
    AVDictionary* options = nullptr;
    ffmpeg::check(
        av_dict_parse_string(&options, entryFor(settings.path)->muxerOptions, "=", ":", 0),
        "muxer options");
    const int result = avformat_write_header(output.get(), &options);
    av_dict_free(&options);
    ffmpeg::check(result, "cannot start '" + settings.path + "'");
}

void VideoFile::writePicture(const std::uint8_t* rgba) {
    ffmpeg::check(av_frame_make_writable(picture.get()), "av_frame_make_writable");
    converter->convert(rgba, *picture);
    picture->pts = nextPts++;
    video->send(picture.get());
}

void VideoFile::writeSound(const float* stereo, std::size_t frames) {
    if (audio) audio->write(stereo, frames);
}

void VideoFile::finish() {
    if (!opened || finished) return;
    finished = true;
    video->send(nullptr);
    if (audio) audio->finish();
    ffmpeg::check(av_write_trailer(output.get()), "cannot finish '" + settings.path + "'");
    // The last buffered bytes reach the file only here; a full disk shows now.
    ffmpeg::check(avio_closep(&output->pb), "cannot write '" + settings.path + "'");
    complete = true;
}
