// The banner and the credits strip: the committed bitmaps are exactly what
// the generator draws, and they are textures the final scene can use. The
// application icon, drawn at build time, is checked at its installed sizes.
#include <gtest/gtest.h>

#include <cairo.h>

#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <vector>

#include "gfx/BitmapImage.h"
#include "tools/artwork/Artwork.h"
#include "tools/artwork/Icon.h"

namespace {

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool isPowerOfTwo(int value) { return value > 0 && (value & (value - 1)) == 0; }

const std::string dataFolder = std::string(VELMORA_SOURCE_DIR) + "/data/";

}  // namespace

TEST(Artwork, CommittedBitmapsEqualTheGeneratorsOutput) {
    const std::vector<std::uint8_t> banner = readFile(dataFolder + "code.bmp");
    const std::vector<std::uint8_t> strip = readFile(dataFolder + "shit.bmp");
    ASSERT_FALSE(banner.empty()) << "data/code.bmp is missing";
    ASSERT_FALSE(strip.empty()) << "data/shit.bmp is missing";
    EXPECT_TRUE(banner == encodeBmp24(drawBanner())) << "run scripts/make-data";
    EXPECT_TRUE(strip == encodeBmp24(drawCreditsStrip())) << "run scripts/make-data";
}

TEST(Artwork, DrawingTwiceGivesTheSamePixels) {
    EXPECT_EQ(drawBanner().rgb, drawBanner().rgb);
    EXPECT_EQ(drawCreditsStrip().rgb, drawCreditsStrip().rgb);
}

TEST(Artwork, BitmapsLoadAsPowerOfTwoTexturesWithReadableContent) {
    for (const char* name : {"code.bmp", "shit.bmp"}) {
        SCOPED_TRACE(name);
        BitmapImage image;
        image.load(dataFolder + name);
        EXPECT_TRUE(isPowerOfTwo(image.width));
        EXPECT_TRUE(isPowerOfTwo(image.height));
        ASSERT_NE(image.pixels, nullptr);

        // Lettering over a dark ground: mostly dark pixels, yet some near white,
        // and more than a handful of distinct colours (anti-aliased text).
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&image.pixels[0]);
        const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
        std::size_t dark = 0, bright = 0;
        std::set<std::uint32_t> colours;
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t r = bytes[i * 4], g = bytes[i * 4 + 1], b = bytes[i * 4 + 2];
            EXPECT_EQ(bytes[i * 4 + 3], 0) << "alpha at pixel " << i;
            if (r + g + b < 200) ++dark;
            if (r > 200 && g > 200 && b > 200) ++bright;
            colours.insert((r << 16) | (g << 8) | b);
        }
        EXPECT_GT(dark, count / 2);
        EXPECT_GT(bright, count / 100);
        EXPECT_GT(colours.size(), 64u);
    }
}

// Transparent outside the rounded frame and opaque within at every installed
// size; a file that cannot be written fails make_icon and so the build.
TEST(Artwork, IconIsDrawnAtEveryInstalledSize) {
    const std::string path = testing::TempDir() + "velmora_icon.png";
    for (int size : {48, 128, 256}) {
        SCOPED_TRACE(size);
        writeIconPng(size, path);
        cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
        ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
        EXPECT_EQ(cairo_image_surface_get_width(png), size);
        EXPECT_EQ(cairo_image_surface_get_height(png), size);
        const unsigned char* data = cairo_image_surface_get_data(png);
        const int stride = cairo_image_surface_get_stride(png);
        auto alpha = [&](int x, int y) {  // ARGB32: native 0xAARRGGBB words
            return *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4) >> 24;
        };
        EXPECT_EQ(alpha(0, 0), 0u);
        EXPECT_EQ(alpha(size / 2, size / 10), 255u);
        cairo_surface_destroy(png);
    }
    EXPECT_THROW(writeIconPng(48, testing::TempDir() + "no-such-folder/icon.png"), std::runtime_error);
}
