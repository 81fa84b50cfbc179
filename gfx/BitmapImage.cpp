// BitmapImage: reads a .bmp through SDL's loader and converts whatever depth
// and row order the file has into 32-bit R, G, B, 0 pixels, top row first.
// The header is vetted first so a hostile file cannot make us allocate
// gigabytes.
#include "gfx/BitmapImage.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

const char* const loadFailure = "Failure while trying to load image file";
const char* const infoFailure = "Failure trying to retrieve image infos";

constexpr long long maxSide = 16384;  // pixels
constexpr long long maxPixels = 4096LL * 4096;  // 64 MiB once converted

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

struct SurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

std::uint32_t readLe32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t readLe16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

// True when the file looks like a BMP whose sides and pixel data are
// plausible. Uncompressed files must actually hold the rows their header
// claims; SDL would otherwise allocate the whole surface before noticing.
bool headerIsSane(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return false;
    }
    unsigned char header[34] = {};
    const std::size_t got = std::fread(header, 1, sizeof header, file.get());
    if (got < 26 || header[0] != 'B' || header[1] != 'M') {
        return false;
    }
    if (std::fseek(file.get(), 0, SEEK_END) != 0) {
        return false;
    }
    const long fileSize = std::ftell(file.get());
    if (fileSize < 0) {
        return false;
    }

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
        if (got < 30) {
            return false;
        }
        width = static_cast<std::int32_t>(readLe32(header + 18));
        height = static_cast<std::int32_t>(readLe32(header + 22));
        bitsPerPixel = readLe16(header + 28);
        if (infoSize >= 20 && got >= 34) {
            compression = readLe32(header + 30);
        }
    } else {
        return false;
    }
    width = std::llabs(width);
    height = std::llabs(height);  // negative height means top-down rows
    // RLE data may leave most of a picture to its escapes, so a file of a
    // few bytes can claim any size: the area is capped whatever the coding.
    if (width > maxSide || height > maxSide || width * height > maxPixels) {
        return false;
    }

    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    if (uncompressed && bitsPerPixel > 0 && bitsPerPixel <= 32) {
        const long long rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
        if (static_cast<long long>(dataOffset) + rowBytes * height > fileSize) {
            return false;
        }
    }
    return true;
}

}  // namespace

BitmapImage::BitmapImage() : handle(nullptr, SDL_FreeSurface) {}

BitmapImage::~BitmapImage() {
    handle.reset();
    pixels.reset();
}

void BitmapImage::load(std::string path) {
    if (!headerIsSane(path)) {
        throw std::runtime_error(loadFailure);
    }
    SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
    if (loaded == nullptr) {
        throw std::runtime_error(loadFailure);
    }
    handle.reset(loaded);

    if (loaded->w <= 0 || loaded->h <= 0) {
        throw std::runtime_error(infoFailure);
    }
    // RGBA32 is the byte order R, G, B, A in memory on every host, which is
    // what glTexImage2D(GL_RGBA, GL_UNSIGNED_BYTE) reads.
    std::unique_ptr<SDL_Surface, SurfaceFree> converted(
        SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0));
    if (!converted) {
        throw std::runtime_error(infoFailure);
    }
    width = converted->w;
    height = converted->h;
    bitsPerPixel = 32;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    pixels = std::make_unique<std::uint32_t[]>(static_cast<std::size_t>(width) * height);
    if (SDL_LockSurface(converted.get()) != 0) {
        pixels.reset();
        throw std::runtime_error(infoFailure);
    }

    auto* target = reinterpret_cast<unsigned char*>(pixels.get());
    const auto* source = static_cast<const unsigned char*>(converted->pixels);
    for (int row = 0; row < height; ++row) {
        unsigned char* out = target + row * rowBytes;
        std::memcpy(out, source + static_cast<std::size_t>(row) * converted->pitch, rowBytes);
        // The alpha byte is always 0, whatever the file held.
        for (std::size_t x = 3; x < rowBytes; x += 4) {
            out[x] = 0;
        }
    }
    SDL_UnlockSurface(converted.get());
}
