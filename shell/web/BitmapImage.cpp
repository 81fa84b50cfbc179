// BitmapImage in the browser: the same file reading and header checks as on
// the desktop, with stb_image (Debian's libstb-dev) decoding the BMP instead
// of SDL, which the browser build does without. Its pixels are converted at
// once and freed, so `handle` stays null here.
#include "gfx/BitmapImage.h"

#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <memory>

#include "gfx/BitmapChecks.h"
#include "shell/DataFile.h"

namespace {

struct StbFree {
    void operator()(stbi_uc* decoded) const { stbi_image_free(decoded); }
};

}  // namespace

BitmapImage::BitmapImage() : handle(nullptr, [](SDL_Surface*) {}) {}

BitmapImage::~BitmapImage() { pixels.reset(); }

void BitmapImage::load(std::string path) {
    const DataFileContents file = readDataFile(path);
    if (!file.failure.empty()) failBitmap(bitmapLoadFailure, path, file.failure);
    const std::string fault = bmpHeaderFault(file.bytes);
    if (!fault.empty()) failBitmap(bitmapLoadFailure, path, fault);
    int decodedWidth = 0;
    int decodedHeight = 0;
    int channels = 0;
    // Four channels asked for: R, G, B, A in memory, as glTexImage2D reads them.
    std::unique_ptr<stbi_uc, StbFree> decoded(
        stbi_load_from_memory(file.bytes.data(), static_cast<int>(file.bytes.size()), &decodedWidth,
                              &decodedHeight, &channels, 4));
    if (!decoded) {
        failBitmap(bitmapLoadFailure, path, std::string("not a usable BMP file (") + stbi_failure_reason() + ")");
    }
    if (decodedWidth <= 0 || decodedHeight <= 0) {
        failBitmap(bitmapInfoFailure, path,
                   "no usable size (" + std::to_string(decodedWidth) + " x " + std::to_string(decodedHeight) + ")");
    }
    width = decodedWidth;
    height = decodedHeight;
    bitsPerPixel = 32;
    pixels = std::make_unique<std::uint32_t[]>(static_cast<std::size_t>(width) * height);
    copyWithoutAlpha(decoded.get(), static_cast<std::size_t>(width) * 4, width, height, pixels.get());
}
