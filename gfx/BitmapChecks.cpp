// BitmapChecks: what every platform's bitmap decoder shares — the two texts
// a failed load throws, the header vetting that keeps a hostile file from
// making us allocate gigabytes, and the copy into R, G, B, 0 pixels.
#include "gfx/BitmapChecks.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <stdexcept>

const char* const bitmapLoadFailure = "Failure while trying to load image file";
const char* const bitmapInfoFailure = "Failure trying to retrieve image infos";

namespace {

constexpr long long maxSide = 16384;  // pixels
constexpr long long maxPixels = 4096LL * 4096;  // 64 MiB once converted
// Four times the largest picture allowed, at 32 bits, uncompressed.
constexpr std::size_t maxFileBytes = 256u << 20;

std::uint32_t readLe32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t readLe16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

void failBitmap(const char* text, const std::string& path, const std::string& why) {
    try {
        throw std::runtime_error(path + ": " + why);
    } catch (...) {
        std::throw_with_nested(std::runtime_error(text));
    }
}

// Uncompressed files must actually hold the rows their header claims: a
// decoder would otherwise allocate the whole picture before noticing.

std::string bmpHeaderFault(const std::vector<unsigned char>& file) {
    if (file.size() < 2 || file[0] != 'B' || file[1] != 'M') return "not a BMP file (bad signature)";
    if (file.size() < 26) return "not a BMP file (header cut short)";
    if (file.size() > maxFileBytes) return "file too large for a picture (" + std::to_string(file.size()) + " bytes)";
    unsigned char header[34] = {};
    std::memcpy(header, file.data(), std::min(file.size(), sizeof header));

    const std::uint32_t dataOffset = readLe32(header + 10);
    const std::uint32_t infoSize = readLe32(header + 14);
    long long width = 0;
    long long height = 0;
    unsigned bitsPerPixel = 0;
    std::uint32_t compression = 0;
    if (infoSize == 12) {
        width = readLe16(header + 18);
        height = readLe16(header + 20);
        bitsPerPixel = readLe16(header + 24);
    } else if (infoSize >= 16) {
        if (file.size() < 30) return "not a BMP file (header cut short)";
        width = static_cast<std::int32_t>(readLe32(header + 18));
        height = static_cast<std::int32_t>(readLe32(header + 22));
        bitsPerPixel = readLe16(header + 28);
        if (infoSize >= 20 && file.size() >= 34) compression = readLe32(header + 30);
    } else {
        return "not a BMP file (unknown header of " + std::to_string(infoSize) + " bytes)";
    }
    width = std::llabs(width);
    height = std::llabs(height);  // negative height means top-down rows
    // RLE data may leave most of a picture to its escapes, so a file of a
    // few bytes can claim any size: the area is capped whatever the coding.
    if (width > maxSide || height > maxSide || width * height > maxPixels) {
        return "picture too large (" + std::to_string(width) + " x " + std::to_string(height) + " pixels)";
    }

    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    if (uncompressed && bitsPerPixel > 0 && bitsPerPixel <= 32) {
        const long long rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
        if (static_cast<long long>(dataOffset) + rowBytes * height > static_cast<long long>(file.size())) {
            return "pixel data cut short (" + std::to_string(file.size()) + " bytes in the file)";
        }
    }
    return {};
}

void copyWithoutAlpha(const unsigned char* source, std::size_t pitch, int width, int height,
                      std::uint32_t* pixels) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    auto* target = reinterpret_cast<unsigned char*>(pixels);
    for (int row = 0; row < height; ++row) {
        unsigned char* out = target + row * rowBytes;
        std::memcpy(out, source + static_cast<std::size_t>(row) * pitch, rowBytes);
        // The alpha byte is always 0, whatever the file held.
        for (std::size_t x = 3; x < rowBytes; x += 4) {
            out[x] = 0;
        }
    }
}
