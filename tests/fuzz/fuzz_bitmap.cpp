// fuzz_bitmap: BitmapImage::load on any bytes, through our header checks,
// SDL's BMP reader and our conversion. A load either fails with one of its
// two texts and keeps no pixels, or gives a picture within the size limits
// whose every pixel can be read and has alpha 0.
#include <SDL.h>

#include "gfx/BitmapImage.h"
#include "tests/fuzz/FuzzOutcome.h"
#include "tests/fuzz/MemoryFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

bool isLoadText(const char* text) {
    return std::strcmp(text, "Failure while trying to load image file") == 0 ||
           std::strcmp(text, "Failure trying to retrieve image infos") == 0;
}

// What SDL's reader made of the file: its pixel format and the picture's size.
void noteDecoded(const SDL_Surface& surface) {
    fuzzOutcome::note(0, surface.format->format);
    fuzzOutcome::note(1, fuzzOutcome::magnitude(static_cast<unsigned>(surface.w)));
    fuzzOutcome::note(2, fuzzOutcome::magnitude(static_cast<unsigned>(surface.h)));
    fuzzOutcome::note(3, surface.format->palette != nullptr ? surface.format->palette->ncolors : 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryFile file;
    file.assign(data, size);
    BitmapImage image;
    try {
        image.load(file.path());
    } catch (const std::runtime_error& error) {
        if (!isLoadText(error.what()) || image.pixels != nullptr) std::abort();
        if (image.handle) noteDecoded(*image.handle);
        return 0;
    }
    if (image.handle == nullptr || image.pixels == nullptr || image.width <= 0 || image.height <= 0 ||
        image.width > 16384 || image.height > 16384 || image.width * image.height > 4096 * 4096 ||
        image.bitsPerPixel != 32) {
        std::abort();
    }
    noteDecoded(*image.handle);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(image.pixels.get());
    const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
    for (std::size_t i = 0; i < count; ++i) {
        if (bytes[4 * i + 3] != 0) std::abort();
    }
    return 0;
}
