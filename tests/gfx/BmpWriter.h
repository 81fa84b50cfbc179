// BmpWriter: writes small Windows bitmaps for the image-loading tests, at
// any of the depths the loader must handle, bottom-up or top-down, so no
// picture file is ever committed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

struct BmpLayout {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;     // 1, 4, 8, 16 (5-5-5), 24 or 32
    bool topDown = false;      // negative height in the header
    std::uint8_t alpha = 0xFF; // fourth byte of 32-bit pixels
    std::vector<Rgb> pixels;   // width × height, top row first
};

// The whole file as bytes. Palettes are built from the colours used, so a
// picture must not use more colours than its depth allows.
std::vector<std::uint8_t> encodeBmp(const BmpLayout& bmp);

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// A fresh path in the test's temporary directory.
std::string tempPath(const std::string& name);
