// BitmapImage: a .bmp file loaded into a buffer of 32-bit pixels, bytes
// R, G, B, 0, top row first, ready for glTexImage2D(..., GL_RGBA,
// GL_UNSIGNED_BYTE, pixels.get()). The cube grid scene loads two of them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct SDL_Surface;

class BitmapImage {
public:
    BitmapImage();
    ~BitmapImage();

    BitmapImage(const BitmapImage&) = delete;
    BitmapImage& operator=(const BitmapImage&) = delete;

    // Throws std::runtime_error: "Failure while trying to load image file"
    // (missing, not a regular file, unreadable, not a BMP, sides over 16384
    // pixels or more than 4096 × 4096 pixels in all; handle and pixels stay
    // null) or "Failure trying to retrieve image infos" (no usable size or
    // the conversion failed; handle stays stored). Nested in it, a second
    // std::runtime_error names the file and what was wrong with it.
    void load(std::string path);

    // The decoded file, as SDL's loader made it on the desktop. The browser
    // build decodes with stb_image, converts at once and keeps none (null).
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> handle;
    std::unique_ptr<std::uint32_t[]> pixels;  // width × height words, bytes R, G, B, 0
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;  // of pixels, always 32 once loaded
};
