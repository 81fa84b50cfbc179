// Bitmap loading: generated files at every depth and row order must come
// out as R, G, B, 0 words with the top-left pixel first, and every kind of
// bad file must fail with the right text and leave nothing half-loaded.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

#include "BmpWriter.h"
#include "gfx/BitmapImage.h"

namespace {

const Rgb red{0xFF, 0x00, 0x00};
const Rgb green{0x00, 0xFF, 0x00};
const Rgb blue{0x00, 0x00, 0xFF};
const Rgb white{0xFF, 0xFF, 0xFF};
const Rgb black{0x00, 0x00, 0x00};
const Rgb odd{0x12, 0x34, 0x56};

const char* const loadText = "Failure while trying to load image file";

std::array<std::uint8_t, 4> bytesAt(const BitmapImage& image, int x, int y) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(image.pixels.get()) +
                    (static_cast<std::size_t>(y) * image.width + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

std::array<std::uint8_t, 4> expected(const Rgb& c) { return {c.r, c.g, c.b, 0}; }

// A picture that tells rows and columns apart: the top-left pixel is red,
// and no two rows or columns repeat, so a flip or a mirror shows.
BmpLayout picture(int bitsPerPixel, bool topDown) {
    BmpLayout bmp;
    bmp.width = 5;
    bmp.height = 3;
    bmp.bitsPerPixel = bitsPerPixel;
    bmp.topDown = topDown;
    std::vector<Rgb> colours{red, blue, green, white, black};
    if (bitsPerPixel != 16 && bitsPerPixel != 4 && bitsPerPixel != 1) {
        colours.push_back(odd);  // not representable in 5-5-5
    }
    for (int y = 0; y < bmp.height; ++y) {
        for (int x = 0; x < bmp.width; ++x) {
            if (bitsPerPixel == 1) {
                bmp.pixels.push_back(x <= y ? red : blue);  // a staircase
            } else {
                bmp.pixels.push_back(colours[(x + 2 * y) % colours.size()]);
            }
        }
    }
    return bmp;
}

// Loading something that must fail: checks the text, the cause nested in it
// (the path and `why`) when one is given, and that nothing stays.
void expectLoadFailure(const std::string& path, const char* text, const char* why = nullptr) {
    BitmapImage image;
    try {
        image.load(path);
        FAIL() << "no exception for " << path;
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), text);
        try {
            std::rethrow_if_nested(error);
            EXPECT_EQ(why, nullptr) << "no cause nested";
        } catch (const std::runtime_error& cause) {
            if (why != nullptr) {
                EXPECT_EQ(cause.what(), path + ": " + why);
            }
        }
    }
    EXPECT_EQ(image.handle, nullptr);
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(image.width, 0);
    EXPECT_EQ(image.height, 0);
}

void put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::int64_t v) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>((static_cast<std::uint64_t>(v) >> (8 * i)) & 0xFF);
    }
}

std::vector<std::uint8_t> onePixel(int bitsPerPixel) {
    BmpLayout bmp;
    bmp.width = 1;
    bmp.height = 1;
    bmp.bitsPerPixel = bitsPerPixel;
    bmp.pixels = {red};
    return encodeBmp(bmp);
}

// A header that claims a size but carries no pixel data after it.
std::vector<std::uint8_t> headerOnly(int width, int height, int bitsPerPixel) {
    std::vector<std::uint8_t> bytes = onePixel(bitsPerPixel);
    bytes.resize(54);
    put32(bytes, 18, width);
    put32(bytes, 22, height);
    return bytes;
}

// An RLE8 file whose one code ends the picture: a few bytes that the
// decoder turns into a picture of whatever size the header claims.
std::vector<std::uint8_t> rleEndOnly(int width, int height) {
    std::vector<std::uint8_t> bytes = onePixel(8);
    bytes.resize(bytes.size() - 4);     // the one row
    bytes.insert(bytes.end(), {0, 1});  // end of bitmap
    put32(bytes, 2, static_cast<std::int64_t>(bytes.size()));
    put32(bytes, 18, width);
    put32(bytes, 22, height);
    put32(bytes, 30, 1);  // BI_RLE8
    put32(bytes, 34, 2);
    return bytes;
}

class BitmapDepths : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(BitmapDepths, PixelsComeOutAsRgbZeroTopRowFirst) {
    const int bpp = std::get<0>(GetParam());
    const bool topDown = std::get<1>(GetParam());
    const BmpLayout bmp = picture(bpp, topDown);
    const std::string path = tempPath("picture.bmp");
    writeFile(path, encodeBmp(bmp));

    BitmapImage image;
    image.load(path);
    ASSERT_NE(image.handle, nullptr);
    ASSERT_NE(image.pixels, nullptr);
    EXPECT_EQ(image.width, 5);
    EXPECT_EQ(image.height, 3);
    EXPECT_EQ(image.bitsPerPixel, 32);

    EXPECT_EQ(bytesAt(image, 0, 0), (std::array<std::uint8_t, 4>{0xFF, 0x00, 0x00, 0x00}))
        << "the first word must be the top-left pixel, pure red";
    for (int y = 0; y < bmp.height; ++y) {
        for (int x = 0; x < bmp.width; ++x) {
            EXPECT_EQ(bytesAt(image, x, y), expected(bmp.pixels[y * bmp.width + x]))
                << "pixel (" << x << ", " << y << ")";
        }
    }
    std::remove(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(AllDepths, BitmapDepths,
                         ::testing::Combine(::testing::Values(1, 4, 8, 16, 24, 32),
                                            ::testing::Bool()));

TEST(BitmapImage, StartsEmptyAndAnEmptyOneIsDestroyedQuietly) {
    BitmapImage image;
    EXPECT_EQ(image.handle, nullptr);
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(image.width, 0);
    EXPECT_EQ(image.height, 0);
    EXPECT_EQ(image.bitsPerPixel, 0);
}

TEST(BitmapImage, PureBlueAndAlphaAlwaysZero) {
    BmpLayout bmp;
    bmp.width = 2;
    bmp.height = 2;
    bmp.bitsPerPixel = 32;
    bmp.alpha = 0x80;
    bmp.pixels = {blue, blue, white, blue};
    const std::string path = tempPath("blue.bmp");
    writeFile(path, encodeBmp(bmp));

    BitmapImage image;
    image.load(path);
    EXPECT_EQ(bytesAt(image, 0, 0), (std::array<std::uint8_t, 4>{0x00, 0x00, 0xFF, 0x00}));
    EXPECT_EQ(bytesAt(image, 0, 1), (std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0x00}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(image.pixels.get())[4 * i + 3], 0);
    }
    std::remove(path.c_str());
}

TEST(BitmapImage, WidestAllowedSideStillLoads) {
    BmpLayout bmp;
    bmp.width = 16384;
    bmp.height = 1;
    bmp.bitsPerPixel = 8;
    bmp.pixels.assign(16384, green);
    bmp.pixels.back() = red;
    const std::string path = tempPath("wide.bmp");
    writeFile(path, encodeBmp(bmp));

    BitmapImage image;
    image.load(path);
    EXPECT_EQ(image.width, 16384);
    EXPECT_EQ(image.height, 1);
    EXPECT_EQ(bytesAt(image, 16383, 0), expected(red));
    std::remove(path.c_str());
}

TEST(BitmapImageFailures, MissingFile) {
    expectLoadFailure(tempPath("does-not-exist.bmp"), loadText);
    expectLoadFailure("", loadText);
}

// Each refusal names the file and what is wrong with it. A pipe is refused
// at once: opened for reading, a pipe with no writer would wait for ever.
TEST(BitmapImageFailures, EveryRefusalNamesTheFileAndWhy) {
    struct Case { const char* name; char kind; std::vector<std::uint8_t> bytes; const char* why; };
    const Case cases[] = {  // kind: 'f' a file of these bytes, 'p' a pipe, 'd' a folder
        {"pipe.bmp", 'p', {}, "not a regular file"},
        {"folder.bmp", 'd', {}, "not a regular file"},
        {"huge.bmp", 'f', headerOnly(100000, 100000, 32), "picture too large (100000 x 100000 pixels)"},
        {"cut.bmp", 'f', headerOnly(4, 4, 24), "pixel data cut short (54 bytes in the file)"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = tempPath(c.name);
        if (c.kind == 'f') writeFile(path, c.bytes);
        ASSERT_TRUE(c.kind != 'p' || ::mkfifo(path.c_str(), 0600) == 0);
        ASSERT_TRUE(c.kind != 'd' || ::mkdir(path.c_str(), 0700) == 0);
        expectLoadFailure(path, loadText, c.why);
        ::remove(path.c_str());
    }
}

TEST(BitmapImageFailures, EmptyGarbageAndTruncatedFiles) {
    const std::string path = tempPath("bad.bmp");
    writeFile(path, {});
    expectLoadFailure(path, loadText);

    const std::string text = "this is not a bitmap, just some words in a file";
    writeFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
    expectLoadFailure(path, loadText);

    // The signature alone, then a header cut short.
    writeFile(path, {'B', 'M'});
    expectLoadFailure(path, loadText);
    std::vector<std::uint8_t> whole = encodeBmp(picture(24, false));
    writeFile(path, std::vector<std::uint8_t>(whole.begin(), whole.begin() + 30));
    expectLoadFailure(path, loadText);

    // Every header byte present but the last pixel row missing, at each depth.
    for (int bpp : {1, 8, 24, 32}) {
        whole = encodeBmp(picture(bpp, false));
        whole.resize(whole.size() - 4);
        writeFile(path, whole);
        SCOPED_TRACE(bpp);
        expectLoadFailure(path, loadText);
    }
    std::remove(path.c_str());
}

TEST(BitmapImageFailures, HugeHeadersAreRefusedBeforeAnyAllocation) {
    const std::string path = tempPath("huge.bmp");
    // Just over the limit on either side, top-down or not, and sizes that
    // would need gigabytes; none of these files holds any pixel data.
    const std::array<std::array<int, 2>, 6> sizes{{{16385, 1},
                                                   {1, 16385},
                                                   {1, -16385},
                                                   {100000, 100000},
                                                   {2147483647, 2},
                                                   {16384, 16384}}};
    for (const auto& size : sizes) {
        writeFile(path, headerOnly(size[0], size[1], 32));
        SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]));
        expectLoadFailure(path, loadText);
    }

    // The old 12-byte header carries 16-bit sides.
    std::vector<std::uint8_t> core{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0,
                                   12,  0,   0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 24, 0};
    writeFile(path, core);
    expectLoadFailure(path, loadText);
    std::remove(path.c_str());
}

// Run in a child process so the peak memory figure belongs to this load
// alone: a 16384 × 16384 header with no pixels after it must be refused
// without the gigabyte surface ever being made.
void loadHugeHeaderAndExit(const std::string& path) {
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    BitmapImage image;
    bool refused = false;
    try {
        image.load(path);
    } catch (const std::runtime_error& error) {
        refused = std::string(error.what()) == loadText;
    }
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    const long grownKiB = after.ru_maxrss - before.ru_maxrss;
    std::exit(refused && grownKiB < 64 * 1024 ? 0 : 1);
}

TEST(BitmapImageFailuresDeathTest, HugeHeaderNeverAllocatesThePicture) {
    const std::string path = tempPath("huge-square.bmp");
    for (const auto& bytes : {headerOnly(16384, 16384, 32), rleEndOnly(16384, 16384)}) {
        writeFile(path, bytes);
        EXPECT_EXIT(loadHugeHeaderAndExit(path), ::testing::ExitedWithCode(0), "");
    }
    std::remove(path.c_str());
}

// RLE data needs no bytes for the pixels it leaves out, so only the area
// keeps a tiny file from claiming gigabytes.
TEST(BitmapImageFailures, RleAreaIsCappedAtFourThousandNinetySixSquared) {
    const std::string path = tempPath("rle.bmp");
    const std::array<std::array<int, 3>, 4> cases{{// width, height, loads
                                                  {64, 64, 1},
                                                  {4096, 4096, 1},
                                                  {4097, 4096, 0},
                                                  {16384, 1025, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c[0]) + " x " + std::to_string(c[1]));
        writeFile(path, rleEndOnly(c[0], c[1]));
        if (c[2] == 0) {
            expectLoadFailure(path, loadText);
            continue;
        }
        BitmapImage image;
        image.load(path);
        EXPECT_EQ(image.width, c[0]);
        EXPECT_EQ(image.height, c[1]);
    }
    std::remove(path.c_str());
}

TEST(BitmapImageFailures, NoUsableSizeIsRefused) {
    const std::string path = tempPath("flat.bmp");
    for (const auto& size : std::array<std::array<int, 2>, 3>{{{0, 4}, {4, 0}, {-4, 4}}}) {
        writeFile(path, headerOnly(size[0], size[1], 24));
        BitmapImage image;
        SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]));
        std::string text;
        try {
            image.load(path);
        } catch (const std::runtime_error& error) {
            text = error.what();
        }
        // Either the decoder refuses the file outright, or it hands over a
        // picture without a size, which stays owned for the destructor.
        if (image.handle == nullptr) {
            EXPECT_EQ(text, loadText);
        } else {
            EXPECT_EQ(text, "Failure trying to retrieve image infos");
        }
        EXPECT_EQ(image.pixels, nullptr);
        EXPECT_EQ(image.width, 0);
        EXPECT_EQ(image.height, 0);
    }
    std::remove(path.c_str());
}

}  // namespace
