// BmpWriter: BITMAPFILEHEADER + BITMAPINFOHEADER, 24 bits, no compression.
#include "tools/artwork/BmpWriter.h"

#include <fstream>
#include <stdexcept>

namespace {

void putLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> encodeBmp24(const RgbPicture& picture) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgb.size() != static_cast<std::size_t>(picture.width) * picture.height * 3) {
        throw std::invalid_argument("picture size does not match its pixels");
    }
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(picture.width) * 3 + 3) & ~3u;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(picture.height);
    const std::uint32_t headerBytes = 14 + 40;

    std::vector<std::uint8_t> out;
    out.reserve(headerBytes + imageBytes);
    out.push_back('B');
    out.push_back('M');
    putLe(out, headerBytes + imageBytes, 4);
    putLe(out, 0, 4);
    putLe(out, headerBytes, 4);
    putLe(out, 40, 4);
    putLe(out, static_cast<std::uint32_t>(picture.width), 4);
    putLe(out, static_cast<std::uint32_t>(picture.height), 4);  // positive: bottom-up
    putLe(out, 1, 2);
    putLe(out, 24, 2);
    putLe(out, 0, 4);  // BI_RGB
    putLe(out, imageBytes, 4);
    putLe(out, 2835, 4);  // 72 dpi
    putLe(out, 2835, 4);
    putLe(out, 0, 4);
    putLe(out, 0, 4);

    for (int y = picture.height - 1; y >= 0; --y) {
        const std::uint8_t* row = &picture.rgb[static_cast<std::size_t>(y) * picture.width * 3];
        for (int x = 0; x < picture.width; ++x) {
            out.push_back(row[x * 3 + 2]);
            out.push_back(row[x * 3 + 1]);
            out.push_back(row[x * 3 + 0]);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(picture.width) * 3; pad < rowBytes; ++pad) {
            out.push_back(0);
        }
    }
    return out;
}

void writeBmp24(const RgbPicture& picture, const std::string& path) {
    const std::vector<std::uint8_t> bytes = encodeBmp24(picture);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) throw std::runtime_error("cannot open " + path + " for writing");
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}
