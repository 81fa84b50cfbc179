// write_fuzz_seeds: the seed corpora of the fuzz targets, made by the tests'
// own writers so that no sample file is committed: bitmaps at every depth
// and row order (and one RLE8 file), and small fixture modules.
#include "tests/fixtures/FixtureData.h"
#include "tests/gfx/BmpWriter.h"
#include "tools/commandline/CommandLine.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

// At most 2^bitsPerPixel colours, so every depth can hold the picture.
BmpLayout seedPicture(int width, int height, int bitsPerPixel, bool topDown) {
    BmpLayout bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.bitsPerPixel = bitsPerPixel;
    bmp.topDown = topDown;
    const int colours = std::min(1 << std::min(bitsPerPixel, 4), 6);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const FixtureRgb c = fixturePixel((x + 2 * y) % colours, 0, colours, 1);
            bmp.pixels.push_back(Rgb{c.red, c.green, c.blue});
        }
    }
    return bmp;
}

void put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// An 8-bit bottom-up picture re-coded as RLE8: a run per stretch of equal
// indices, end-of-line after each row, end-of-bitmap last.
std::vector<std::uint8_t> rle8(const BmpLayout& bmp) {
    const std::vector<std::uint8_t> plain = encodeBmp(bmp);
    const std::size_t offset = plain[10] | plain[11] << 8;
    const std::size_t stride = (static_cast<std::size_t>(bmp.width) + 3) & ~std::size_t{3};
    std::vector<std::uint8_t> out(plain.begin(), plain.begin() + static_cast<long>(offset));
    for (int row = 0; row < bmp.height; ++row) {
        const std::uint8_t* index = &plain[offset + row * stride];
        for (int x = 0; x < bmp.width;) {
            int run = 1;
            while (x + run < bmp.width && run < 255 && index[x + run] == index[x]) ++run;
            out.push_back(static_cast<std::uint8_t>(run));
            out.push_back(index[x]);
            x += run;
        }
        out.insert(out.end(), {0, 0});
    }
    out.insert(out.end(), {0, 1});
    put32(out, 2, out.size());
    put32(out, 30, 1);  // BI_RLE8
    put32(out, 34, out.size() - offset);
    return out;
}

void writeSeed(const fs::path& dir, const std::string& name, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(dir);
    writeBytes(dir / name, bytes);
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine line(argc, argv, "write_fuzz_seeds",
                           "Usage: write_fuzz_seeds DIR\n"
                           "Writes the fuzz targets' seed corpora: DIR/bitmap/*.bmp and\n"
                           "DIR/module/*.it.\n",
                           {}, 1, 1);
    const fs::path root = line.operands()[0];
    try {
        for (int bpp : {1, 4, 8, 16, 24, 32}) {
            for (bool topDown : {false, true}) {
                writeSeed(root / "bitmap", std::to_string(bpp) + (topDown ? "-top-down" : "") + ".bmp",
                          encodeBmp(seedPicture(7, 5, bpp, topDown)));
            }
        }
        writeSeed(root / "bitmap", "rle8.bmp", rle8(seedPicture(9, 4, 8, false)));
        writeSeed(root / "bitmap", "code.bmp", fixtureBmpBytes(codeBmpWidth, codeBmpHeight));

        writeSeed(root / "module", "tiny.it", fixtureModuleBytes(tinyModuleShape()));
        writeSeed(root / "module", "three-orders.it", fixtureModuleBytes(FixtureModuleShape{3, 8, 2, 150}));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "write_fuzz_seeds: %s\n", error.what());
        return 1;
    }
    return 0;
}
