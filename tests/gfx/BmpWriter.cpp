// BmpWriter: the encoder behind the bitmap tests' generated files.
#include "BmpWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace {

void put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> encodeBmp(const BmpLayout& bmp) {
    const int bpp = bmp.bitsPerPixel;
    std::vector<Rgb> palette;
    if (bpp <= 8) {
        for (const Rgb& c : bmp.pixels) {
            if (std::find(palette.begin(), palette.end(), c) == palette.end()) {
                palette.push_back(c);
            }
        }
        if (palette.size() > (1u << bpp)) {
            throw std::invalid_argument("too many colours for the depth");
        }
    }
    const std::size_t rowBytes = (static_cast<std::size_t>(bmp.width) * bpp + 31) / 32 * 4;
    const std::size_t imageBytes = rowBytes * bmp.height;
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(palette.size()) * 4;

    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, static_cast<std::uint32_t>(offset + imageBytes));
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(bmp.width));
    put32(out, static_cast<std::uint32_t>(bmp.topDown ? -bmp.height : bmp.height));
    put16(out, 1);
    put16(out, static_cast<unsigned>(bpp));
    put32(out, 0);  // uncompressed
    put32(out, static_cast<std::uint32_t>(imageBytes));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, static_cast<std::uint32_t>(palette.size()));
    put32(out, 0);
    for (const Rgb& c : palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }

    for (int fileRow = 0; fileRow < bmp.height; ++fileRow) {
        const int y = bmp.topDown ? fileRow : bmp.height - 1 - fileRow;
        std::vector<std::uint8_t> row(rowBytes, 0);
        for (int x = 0; x < bmp.width; ++x) {
            const Rgb c = bmp.pixels[static_cast<std::size_t>(y) * bmp.width + x];
            if (bpp <= 8) {
                const unsigned index = static_cast<unsigned>(
                    std::find(palette.begin(), palette.end(), c) - palette.begin());
                const int bit = x * bpp;
                row[bit / 8] |= static_cast<std::uint8_t>(index << (8 - bpp - bit % 8));
            } else if (bpp == 16) {
                const unsigned v = (c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3);
                row[2 * x] = static_cast<std::uint8_t>(v & 0xFF);
                row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
            } else {
                const int step = bpp / 8;
                row[step * x] = c.b;
                row[step * x + 1] = c.g;
                row[step * x + 2] = c.r;
                if (step == 4) {
                    row[step * x + 3] = bmp.alpha;
                }
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string tempPath(const std::string& name) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string unique = info != nullptr ? std::string(info->test_suite_name()) + "_" + info->name()
                                         : std::string("bmp");
    std::replace(unique.begin(), unique.end(), '/', '_');
    return ::testing::TempDir() + "velmora_" + unique + "_" + name;
}
