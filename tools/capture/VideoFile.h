// VideoFile: the output file of velmora-capture — a container chosen by the
// file name, a picture stream and (where the container has sound) the
// soundtrack. Everything that can be refused (an unknown ending, a missing
// encoder, an unwritable path, a file already there) is refused before the
// first frame is rendered; a file left unfinished is not left behind.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "shell/HeadlessRun.h"
#include "tools/capture/AudioEncoder.h"
#include "tools/capture/CaptureOptions.h"
#include "tools/capture/EncodedStream.h"
#include "tools/capture/FFmpegOwners.h"
#include "tools/capture/PictureConverter.h"

// How one kind of file is written.
struct ContainerFormat {
    const char* extension;
    const char* muxer;
    const char* videoEncoder;
    AVPixelFormat pixelFormat;
    const char* audioEncoder;  // null: the file has no sound
    AVSampleFormat sampleFormat;
    int sampleBits;
    std::int64_t audioBitRate;
};

// The container for a file name, or null for an ending not written here.
const ContainerFormat* containerFor(const std::string& fileName);

class VideoFile {
public:
    struct Settings {
        std::string path;
        FrameRate rate;
        int sourceWidth = 640;
        int sourceHeight = 480;
        FrameLayout layout;
        std::optional<int> crf;
        bool overwrite = false;  // a file already at `path` may be replaced
    };

    // Chooses the container and opens the encoders; throws OptionError for
    // a name of no known container and std::runtime_error when the file
    // cannot be written as asked. Nothing is written yet.
    explicit VideoFile(const Settings& settings);
    // Removes the file when it was created but not finished.
    ~VideoFile();
    VideoFile(const VideoFile&) = delete;
    VideoFile& operator=(const VideoFile&) = delete;

    // Creates the file and writes its header; throws when it cannot.
    void open();
    // Closes and removes a file that was created but not finished (a write
    // failed on the way); true when there was one.
    bool discard();
    // The picture as read back (RGBA, bottom row first).
    void writePicture(const std::uint8_t* rgba);
    void writeSound(const float* stereo, std::size_t frames);
    // Drains the encoders and writes the trailer: the file then plays.
    void finish();

    bool hasSound() const { return audio != nullptr; }
    std::int64_t picturesWritten() const { return nextPts; }

private:
    Settings settings;
    const ContainerFormat* container;
    ffmpeg::Output output;
    std::unique_ptr<EncodedStream> video;
    std::unique_ptr<PictureConverter> converter;
    ffmpeg::Frame picture;
    std::unique_ptr<AudioEncoder> audio;
    std::int64_t nextPts = 0;
    bool opened = false;
    bool finished = false;  // finish() was called
    bool complete = false;  // ... and the trailer is written: the file plays
};
