// BitmapChecks: what every platform's bitmap decoder shares, so that a file
// is refused, and a picture comes out, the same way wherever it is decoded
// (SDL's loader on the desktop, stb_image in the browser).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The two texts BitmapImage::load throws.
extern const char* const bitmapLoadFailure;
extern const char* const bitmapInfoFailure;

// Throws std::runtime_error(text) with a nested std::runtime_error naming
// `path` and `why`: the fixed text is what the scene replaces with its own,
// the nested one what its report tells the player.
[[noreturn]] void failBitmap(const char* text, const std::string& path, const std::string& why);

// Empty when the file looks like a BMP whose sides and pixel data are
// plausible, else what is wrong with it.
std::string bmpHeaderFault(const std::vector<unsigned char>& file);

// Copies `height` rows of `width` RGBA pixels, `pitch` bytes apart, into
// `pixels` with every alpha byte 0.
void copyWithoutAlpha(const unsigned char* source, std::size_t pitch, int width, int height,
                      std::uint32_t* pixels);
