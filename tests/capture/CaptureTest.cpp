// velmora-capture run as a user runs it, on generated fixture data and with
// no display: stretches come out the same every time and cut where asked,
// the sound is libopenmpt's own rendering of the module, the files hold what
// a player needs, the stills show what the music calls for, and bad requests
// are refused with their messages.
#include <gtest/gtest.h>

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <memory>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/capture/CaptureRun.h"
#include "tests/capture/DecodedMedia.h"
#include "tests/fixtures/FixtureFolder.h"

namespace {

DecodedMedia captured(const std::string& arguments, const std::string& file,
                      bool keepPictures = false) {
    const ToolRun run = runCapture(arguments + " " + file);
    EXPECT_EQ(run.status, 0) << run.output;
    return decodeMedia(file, keepPictures);
}

std::unique_ptr<openmpt::module> fixtureModule(const FixtureFolder& data) {
    std::ifstream file(data.data.modulePath(), std::ios::binary);
    auto module = std::make_unique<openmpt::module>(file);
    module->set_repeat_count(0);  // as the player plays it: once
    return module;
}

constexpr int width = 640;
constexpr int height = 480;
constexpr int allPixels = width * height;

using Picture = std::vector<std::uint8_t>;  // RGB24, top row first

int countPixels(const Picture& picture, bool (*test)(const std::uint8_t*)) {
    int count = 0;
    for (std::size_t i = 0; i < picture.size(); i += 3) count += test(&picture[i]);
    return count;
}
bool white(const std::uint8_t* p) { return p[0] == 255 && p[1] == 255 && p[2] == 255; }
// The overlay's cubes; the tunnel behind is a dark blue with thin pale lines.
bool brightBlue(const std::uint8_t* p) { return p[2] > 200 && p[2] >= p[0]; }

}  // namespace

TEST(Capture, StretchesRepeatExactlyCutWhereAskedAndSoundAsLibopenmpt) {
    FixtureFolder data;
    const DecodedMedia whole = captured("--fps 10 --to 4", "whole.mkv");
    const DecodedMedia part = captured("--fps 10 --from 1 --to 4", "part.mkv");
    const DecodedMedia again = captured("--fps 10 --from 1 --to 4", "again.mkv");

    ASSERT_EQ(whole.frameHashes.size(), 40u);
    EXPECT_EQ(whole.sound.size(), 4u * 44100 * 2);  // frames / fps, to the sample
    EXPECT_EQ(part.frameHashes, again.frameHashes);
    EXPECT_EQ(part.sound, again.sound);
    // --from 1 starts at frame 10; the frames before it were rendered, so
    // what follows is the same picture and sound as in the whole run.
    EXPECT_EQ(part.frameHashes,
              std::vector<std::uint64_t>(whole.frameHashes.begin() + 10, whole.frameHashes.end()));
    EXPECT_EQ(part.sound, std::vector<float>(whole.sound.begin() + 44100 * 2, whole.sound.end()));

    const auto module = fixtureModule(data);
    std::vector<float> reference(whole.sound.size());
    for (std::size_t done = 0; done < reference.size();) {
        const std::size_t frames = std::min<std::size_t>(1000, (reference.size() - done) / 2);
        module->read_interleaved_stereo(44100, frames, &reference[done]);
        done += frames * 2;
    }
    // The sound is the module's own, sample for sample. Only rounding may
    // differ: FLAC keeps 24 bits, and libopenmpt's float mixing rounds a
    // little differently when it is read in other pieces (the player reads
    // 5 ms at a time) — both far below -100 dB, where a shifted or lost
    // stretch of sound would be heard at full level.
    const float tolerance = 2e-6f;
    std::size_t differing = 0, first = reference.size();
    for (std::size_t i = 0; i < reference.size(); ++i) {
        if (std::fabs(std::clamp(reference[i], -1.0f, 1.0f) - whole.sound[i]) > tolerance) {
            ++differing;
            first = std::min(first, i);
        }
    }
    EXPECT_EQ(differing, 0u) << "first at sample " << first / 2;
    EXPECT_GT(*std::max_element(reference.begin(), reference.end()), 0.05f)
        << "the module is heard";
}

TEST(Capture, WholeFastModuleToEachContainer) {
    struct Case {
        const char* file;
        const char* options;
        int width, height, rateNumerator, rateDenominator;
        double soundSlack;  // seconds the codec may pad the end with
    };
    const Case cases[] = {
        {"fast.mp4", "--scale 2 --fps 4", 1280, 960, 4, 1, 1024.0 / 44100},  // AAC's last block
        {"fast.mkv", "--fps 10000/1001", 640, 480, 10000, 1001, 0.0},
    };
    FixtureFolder data;
    const double end = fixtureModule(data)->set_position_order_row(38, 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const DecodedMedia media = captured(c.options, c.file);
        EXPECT_EQ(media.videoStreams, 1);
        EXPECT_EQ(media.audioStreams, 1);
        EXPECT_EQ(media.width, c.width);
        EXPECT_EQ(media.height, c.height);
        EXPECT_EQ(media.rateNumerator, c.rateNumerator);
        EXPECT_EQ(media.rateDenominator, c.rateDenominator);
        const double frameSeconds = double(c.rateDenominator) / c.rateNumerator;
        const double pictureSeconds = media.frameHashes.size() * frameSeconds;
        EXPECT_NEAR(pictureSeconds, end, frameSeconds);
        const double soundSeconds = media.sound.size() / 2 / 44100.0;
        EXPECT_GE(soundSeconds, pictureSeconds - 1.0 / 44100);
        EXPECT_LE(soundSeconds, pictureSeconds + c.soundSlack + 1.0 / 44100);
    }
}

TEST(Capture, StillsShowWhatTheMusicCallsFor) {
    // 75 ms rows at 16 frames a second: every row has a frame of its own.
    FixtureDataOptions options;
    options.moduleShape = FixtureModuleShape{40, 16, 3, 100};
    FixtureFolder data(options);
    const ToolRun run =
        runCapture("--fps 16 --still 6:11,6:12,11:15,12:0,21:8,22:8,30:8 --out-dir .");
    ASSERT_EQ(run.status, 0) << run.output;
    auto still = [](const char* name) { return decodeMedia(name, true).pictures.at(0); };

    EXPECT_LT(countPixels(still("06-11.png"), white), allPixels / 100) << "the row before the beat";
    EXPECT_EQ(countPixels(still("06-12.png"), white), allPixels) << "the beat";
    EXPECT_LT(countPixels(still("11-15.png"), white), allPixels / 20);
    EXPECT_EQ(countPixels(still("12-00.png"), white), allPixels) << "the cube star's flash";
    EXPECT_LT(countPixels(still("21-08.png"), brightBlue), 2000) << "the tunnel alone";
    EXPECT_GT(countPixels(still("22-08.png"), brightBlue), 8000) << "the cube star over the tunnel";

    // Right of the lattice only black and, from x 540 and 60 rows down,
    // the credits strip; one pixel of its edge may be partly covered.
    const Picture grid = still("30-08.png");
    int strip = 0, stray = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = width - 128; x < width; ++x) {
            const std::uint8_t* p = &grid[(std::size_t(y) * width + x) * 3];
            const bool black = p[0] == 0 && p[1] == 0 && p[2] == 0;
            if (x >= 541 && y >= 61)
                strip += !black;
            else if (x > 539 && y > 59)
                continue;
            else
                stray += !black;
        }
    }
    EXPECT_EQ(stray, 0);
    EXPECT_GT(strip, 99 * 419 * 9 / 10);
}

TEST(Capture, RefusesBadRequestsWithTheirMessages) {
    struct Case {
        const char* arguments;
        FixtureFile module, codeBmp;
        const char* message;
        int status;
        const char* existing = nullptr;  // a file already in the working directory
    };
    const FixtureFile ok = FixtureFile::Valid, missing = FixtureFile::Missing;
    const Case cases[] = {
        {"--fps 0", ok, ok, "--fps wants a positive whole number", 2},
        {"--scale 2 --size 800x600", ok, ok, "--scale and --size do not mix", 2},
        {"--still 6:12", ok, ok, "--still needs --out-dir DIR", 2},
        {"--from 3:x", ok, ok, "a position is ORDER:ROW", 2},
        {"--from 5:0 --to 4:63", ok, ok, "--to 4:63 is not after --from 5:0", 2},
        {"--frobnicate", ok, ok, "unknown option '--frobnicate'", 2},
        {"clip.avi", ok, ok, "unknown container for 'clip.avi'", 2},
        {"--still 99:99 --out-dir .", ok, ok, "99:99 is past the demo's end", 2},
        {"--still 38:3 --out-dir .", ok, ok, "38:3 is past the demo's end", 2},
        {"--still 26 --out-dir .", ok, ok, "26 is past the demo's end", 2},
        {"--from 39:0", ok, ok, "39:0 is past the demo's end", 2},
        {"no/such/folder/clip.mp4", ok, ok, "cannot write 'no/such/folder/clip.mp4'", 1},
        {"--still 1 --out-dir data/Tolvane.it/shots", ok, ok,
         "cannot make the folder 'data/Tolvane.it/shots'", 1},
        {"taken.mkv", ok, ok, "'taken.mkv' is already there; --overwrite (-y) replaces it", 1,
         "taken.mkv"},
        {"--still 6:12 --out-dir .", ok, ok, "'./06-12.png' is already there", 1, "06-12.png"},
        {"", missing, ok, "velmora-capture: Error bass init", 1},
        {"", ok, missing, "velmora-capture: Error loadin graphix", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        FixtureDataOptions options;
        options.module = c.module;
        options.codeBmp = c.codeBmp;
        FixtureFolder data(options);
        if (c.existing != nullptr) std::ofstream(c.existing) << "kept";
        const ToolRun run = runCapture(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find("% (frame"), std::string::npos) << "refused before rendering";
        if (c.existing != nullptr) {
            EXPECT_EQ(fileBytes(c.existing), "kept");
        }
    }
}
