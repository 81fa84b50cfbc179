// Skipping ahead: the frames before a still or --from are drawn state-only,
// yet every picture written is the one a run drawing every frame in full
// (--render-all) writes, in each scene's stretch — its first frames, where
// the scene's warm-up frames keep the picture before it on screen, its
// beats and fades, and the frames after a long skip.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/capture/CaptureRun.h"
#include "tests/capture/DecodedMedia.h"
#include "tests/fixtures/FixtureFolder.h"

namespace {

// 75 ms rows at 16 frames a second: every row has a frame of its own, and
// the demo lasts 47 s, so the skips are long.
FixtureDataOptions slowRows() {
    FixtureDataOptions options;
    options.moduleShape = FixtureModuleShape{40, 16, 3, 100};
    return options;
}

std::string stillName(const std::string& position) {
    const std::size_t colon = position.find(':');
    char name[32];
    std::snprintf(name, sizeof name, "%02d-%02d.png", std::stoi(position.substr(0, colon)),
                  std::stoi(position.substr(colon + 1)));
    return name;
}

}  // namespace

TEST(CaptureSkip, StillsInEveryStretchEqualAFullRender) {
    struct Case {
        const char* stretch;
        std::vector<const char*> positions;
    };
    const Case cases[] = {
        {"intro", {"1:8", "2:4", "3:15"}},
        {"pulsing sphere", {"4:0", "4:1", "6:12", "9:13"}},
        {"cube star", {"10:0", "12:0", "13:14"}},
        {"torus", {"14:0", "14:1", "14:2", "16:5", "18:5", "21:15"}},
        {"torus + overlay", {"22:0", "23:1", "27:9"}},
        {"cube grid", {"30:0", "30:1", "30:2", "34:8", "37:0", "38:2"}},
    };
    std::string positions;
    for (const Case& c : cases) {
        for (const char* position : c.positions) positions += (positions.empty() ? "" : ",") + std::string(position);
    }
    FixtureFolder data(slowRows());
    const ToolRun skipped = runCapture("--fps 16 --stats --still " + positions + " --out-dir skipped");
    const ToolRun full =
        runCapture("--fps 16 --render-all --stats --still " + positions + " --out-dir full");
    ASSERT_EQ(skipped.status, 0) << skipped.output;
    ASSERT_EQ(full.status, 0) << full.output;
    // The skips happened: most frames of the skipping run were state-only.
    EXPECT_NE(skipped.output.find("frames drawn state-only"), std::string::npos) << skipped.output;
    EXPECT_EQ(full.output.find("frames drawn state-only"), std::string::npos) << full.output;

    for (const Case& c : cases) {
        for (const char* position : c.positions) {
            SCOPED_TRACE(std::string(c.stretch) + " at " + position);
            const std::string name = stillName(position);
            const std::string picture = fileBytes("full/" + name);
            ASSERT_FALSE(picture.empty());
            EXPECT_TRUE(fileBytes("skipped/" + name) == picture) << "the pictures differ";
        }
    }
}

TEST(CaptureSkip, StretchFromAPositionEqualsAFullRender) {
    // Into the overlay, where the torus and the cube star both carry
    // animation state across the skipped frames.
    FixtureFolder data(slowRows());
    const ToolRun skipped = runCapture("--fps 8 --from 25:0 --to 26:8 skipped.mkv");
    const ToolRun full = runCapture("--fps 8 --render-all --from 25:0 --to 26:8 full.mkv");
    ASSERT_EQ(skipped.status, 0) << skipped.output;
    ASSERT_EQ(full.status, 0) << full.output;
    const DecodedMedia fast = decodeMedia("skipped.mkv");
    const DecodedMedia slow = decodeMedia("full.mkv");
    EXPECT_GE(fast.frameHashes.size(), 10u);
    EXPECT_EQ(fast.frameHashes, slow.frameHashes);
    EXPECT_EQ(fast.sound, slow.sound);
}
