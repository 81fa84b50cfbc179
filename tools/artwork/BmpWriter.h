// BmpWriter: writes a picture as an uncompressed 24-bit Windows bitmap, the
// form the demo's banner and credits strip are shipped in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width × height × 3 bytes, top row first
};

// The whole file: headers, then bottom-up rows padded to four bytes.
std::vector<std::uint8_t> encodeBmp24(const RgbPicture& picture);

// Writes encodeBmp24's bytes; throws std::runtime_error when the file cannot be written.
void writeBmp24(const RgbPicture& picture, const std::string& path);
