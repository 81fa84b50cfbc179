// BitmapImage: reads a .bmp whole through the data-file seam (which refuses
// pipes and devices), vets its header so a hostile file cannot make us
// allocate gigabytes, then lets SDL's loader decode it from memory and
// converts whatever depth and row order it has into 32-bit R, G, B, 0 pixels.
#include "gfx/BitmapImage.h"

#include <SDL.h>

#include "gfx/BitmapChecks.h"
#include "shell/DataFile.h"

namespace {

struct SurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

}  // namespace

BitmapImage::BitmapImage() : handle(nullptr, SDL_FreeSurface) {}

BitmapImage::~BitmapImage() {
    handle.reset();
    pixels.reset();
}

void BitmapImage::load(std::string path) {
    const DataFileContents file = readDataFile(path);
    if (!file.failure.empty()) failBitmap(bitmapLoadFailure, path, file.failure);
    const std::string fault = bmpHeaderFault(file.bytes);
    if (!fault.empty()) failBitmap(bitmapLoadFailure, path, fault);
    SDL_Surface* loaded =
        SDL_LoadBMP_RW(SDL_RWFromConstMem(file.bytes.data(), static_cast<int>(file.bytes.size())), 1);
    if (loaded == nullptr) {
        failBitmap(bitmapLoadFailure, path, std::string("not a usable BMP file (") + SDL_GetError() + ")");
    }
    handle.reset(loaded);

    if (loaded->w <= 0 || loaded->h <= 0) {
        failBitmap(bitmapInfoFailure, path,
                   "no usable size (" + std::to_string(loaded->w) + " x " + std::to_string(loaded->h) + ")");
    }
    // RGBA32 is the byte order R, G, B, A in memory on every host, which is
    // what glTexImage2D(GL_RGBA, GL_UNSIGNED_BYTE) reads.
    std::unique_ptr<SDL_Surface, SurfaceFree> converted(
        SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0));
    if (!converted) {
        failBitmap(bitmapInfoFailure, path, std::string("cannot convert the pixels (") + SDL_GetError() + ")");
    }
    width = converted->w;
    height = converted->h;
    bitsPerPixel = 32;
    pixels = std::make_unique<std::uint32_t[]>(static_cast<std::size_t>(width) * height);
    if (SDL_LockSurface(converted.get()) != 0) {
        pixels.reset();
        failBitmap(bitmapInfoFailure, path, std::string("cannot convert the pixels (") + SDL_GetError() + ")");
    }

    copyWithoutAlpha(static_cast<const unsigned char*>(converted->pixels),
                     static_cast<std::size_t>(converted->pitch), width, height, pixels.get());
    SDL_UnlockSurface(converted.get());
}
