// DecodedMedia: what a file written by velmora-capture holds, read back with
// libavformat and libavcodec as a player would: its streams, a hash of every
// picture, the pictures themselves on request, and the sound as floats.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DecodedMedia {
    int videoStreams = 0;
    int audioStreams = 0;
    int width = 0;
    int height = 0;
    int rateNumerator = 0;  // the video stream's frame rate
    int rateDenominator = 1;
    std::vector<std::uint64_t> frameHashes;           // one per decoded picture
    std::vector<std::vector<std::uint8_t>> pictures;  // RGB24, top row first (keepPictures)
    std::vector<float> sound;                         // interleaved stereo
};

// Throws std::runtime_error when the file does not open or decode.
DecodedMedia decodeMedia(const std::string& path, bool keepPictures = false);
